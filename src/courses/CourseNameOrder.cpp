#include "CourseNameOrder.h"

#include <QCollator>

namespace larkspin {

namespace {

const QCollator& CaseBlindCollator() {
  static const QCollator collator = [] {
    QCollator c;
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

}  // namespace

bool IsBeforeInCourseList(const QString& a, const QString& b) {
  return CaseBlindCollator().compare(a, b) < 0;
}

}  // namespace larkspin
