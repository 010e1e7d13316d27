#include "RoundListDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QtMath>

namespace larkspin {

namespace {

// Enough for every text a screenful of rounds shows, many times over; a longer scroll starts
// afresh rather than keep every date and course ever shown.
constexpr qsizetype kMostLaidOut = 4096;

bool IsOneLineOfText(const QStyleOptionViewItem& option) {
  constexpr auto kBeyondText = QStyleOptionViewItem::HasCheckIndicator |
                               QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::WrapText;
  if (option.features & kBeyondText || option.textElideMode != Qt::ElideNone) return false;
  for (const QChar c : option.text) {
    if (c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
      return false;
    }
  }
  return true;
}

}  // namespace

void RoundListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  // The focus frame goes over the text, which the style alone can do: one cell of the list.
  if (!IsOneLineOfText(cell) || cell.state & QStyle::State_HasFocus) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const QWidget* widget = cell.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  // The background and the selection as the style draws them, the text apart; a plain cell has
  // none to draw.
  constexpr auto kMarked = QStyle::State_Selected | QStyle::State_MouseOver;
  if (cell.state & kMarked || cell.backgroundBrush.style() != Qt::NoBrush ||
      cell.features & QStyleOptionViewItem::Alternate) {
    const QString text = cell.text;
    cell.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    cell.text = text;
  }
  if (cell.text.isEmpty()) return;
  const QString& text = cell.text;

  // Where the style puts the text: with no check box and no icon, the whole cell less the
  // margins, the line aligned in it.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect area = cell.rect.adjusted(margin, 0, -margin, 0);
  if (lineHeight_ == 0 || cell.font != laidOutFont_ || laidOut_.size() >= kMostLaidOut) {
    laidOut_.clear();
    laidOutFont_ = cell.font;
    lineHeight_ = qCeil(QFontMetricsF(cell.font).height());
  }
  auto laid = laidOut_.find(text);
  if (laid == laidOut_.end()) {
    QStaticText line(text);
    line.setTextFormat(Qt::PlainText);
    line.prepare(QTransform(), cell.font);
    laid = laidOut_.insert(text, line);
  }
  const QSize size(qCeil(laid->size().width()), lineHeight_);
  const QRect placed = QStyle::alignedRect(cell.direction, cell.displayAlignment, size, area);

  const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (cell.state & QStyle::State_Active) ? QPalette::Normal
                                                                           : QPalette::Inactive;
  const QColor ink = cell.palette.color(
      group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
  if (size.width() <= area.width()) {
    // The text stays inside its cell, as fitted columns keep it: nothing to clip.
    if (painter->font() != cell.font) painter->setFont(cell.font);
    if (painter->pen().color() != ink) painter->setPen(ink);
    painter->drawStaticText(placed.topLeft(), *laid);
    return;
  }
  painter->save();
  painter->setClipRect(cell.rect);
  painter->setFont(cell.font);
  painter->setPen(ink);
  painter->drawStaticText(placed.topLeft(), *laid);
  painter->restore();
}

}  // namespace larkspin
