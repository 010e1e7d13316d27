#include "RatingsTable.h"

#include <QString>
#include <algorithm>

#include "CourseNameOrder.h"

namespace larkspin {

int RatingsTable::Find(std::string_view course) const {
  for (int row = 0; row < RowCount(); ++row) {
    if (rows_[row][kRatingCourseCell] == course) return row;
  }
  return -1;
}

int RatingsTable::PlaceFor(std::string_view course) const {
  const QString name = QString::fromUtf8(course.data(), static_cast<qsizetype>(course.size()));
  const auto place = std::upper_bound(
      rows_.begin(), rows_.end(), name, [](const QString& a, const RatingRecord& b) {
        return IsBeforeInCourseList(a, QString::fromStdString(b[kRatingCourseCell]));
      });
  return static_cast<int>(place - rows_.begin());
}

int RatingsTable::Insert(RatingRecord record) {
  const int row = PlaceFor(record[kRatingCourseCell]);
  InsertRow(row, std::move(record));
  return row;
}

void RatingsTable::InsertRow(int row, RatingRecord record) {
  row = std::clamp(row, 0, RowCount());
  rows_.insert(rows_.begin() + row, std::move(record));
  ++revision_;
}

RatingRecord RatingsTable::TakeRow(int row) {
  if (!HasRow(row)) return {};
  RatingRecord taken = std::move(rows_[row]);
  rows_.erase(rows_.begin() + row);
  ++revision_;
  return taken;
}

}  // namespace larkspin
