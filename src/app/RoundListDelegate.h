#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace larkspin {

// Draws the round list's cells exactly as Qt's own delegate draws plain text, but lays out each
// distinct text once and keeps it: a list shows the same few figures over and over, and laying
// out every cell anew is most of what drawing it costs. A cell that is more than one line of plain
// text, and the cell with the focus, are drawn by Qt's delegate itself.
class RoundListDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  mutable QHash<QString, QStaticText> laidOut_;
  mutable QFont laidOutFont_;
  mutable int lineHeight_ = 0;  // in that font
};

}  // namespace larkspin
