#include "RoundListHeader.h"

#include <QEvent>

namespace larkspin {

RoundListHeader::RoundListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

QSize RoundListHeader::sizeHint() const {
  for (int visual = 0; visual < count(); ++visual) {
    const int logical = logicalIndex(visual);
    if (!isSectionHidden(logical)) return sectionSizeFromContents(logical);
  }
  return QHeaderView::sizeHint();
}

int RoundListHeader::SectionWidthHint(int logical) const {
  if (logical < 0 || logical >= count() || isSectionHidden(logical))
    return sectionSizeHint(logical);
  // Fonts and styles tell of their change by an event; the sort arrows and the count do not.
  if (widthHints_.size() != static_cast<std::size_t>(count()) ||
      hintSortShown_ != isSortIndicatorShown()) {
    widthHints_.assign(static_cast<std::size_t>(count()), -1);
    hintSortShown_ = isSortIndicatorShown();
  }
  int& hint = widthHints_[static_cast<std::size_t>(logical)];
  if (hint < 0) hint = sectionSizeHint(logical);
  return hint;
}

void RoundListHeader::setModel(QAbstractItemModel* model) {
  disconnect(headingsChanged_);
  QHeaderView::setModel(model);
  widthHints_.clear();
  if (model) {
    headingsChanged_ = connect(model, &QAbstractItemModel::headerDataChanged, this,
                               [this] { widthHints_.clear(); });
  }
}

void RoundListHeader::changeEvent(QEvent* event) {
  if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
    widthHints_.clear();
  QHeaderView::changeEvent(event);
}

}  // namespace larkspin
