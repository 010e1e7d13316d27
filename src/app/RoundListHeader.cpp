#include "RoundListHeader.h"

namespace larkspin {

RoundListHeader::RoundListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

QSize RoundListHeader::sizeHint() const {
  for (int visual = 0; visual < count(); ++visual) {
    const int logical = logicalIndex(visual);
    if (!isSectionHidden(logical)) return sectionSizeFromContents(logical);
  }
  return QHeaderView::sizeHint();
}

}  // namespace larkspin
