#pragma once

#include <QHeaderView>
#include <vector>

namespace larkspin {

// The round list's column headings. Each is one line of text in the header's font, with no icon,
// so every section is as high as any other and one of them tells the header's height. Qt's own
// header measures every heading for it, and again whenever the list lays itself out anew: 76
// headings three times over while the window first shows.
class RoundListHeader final : public QHeaderView {
  Q_OBJECT

 public:
  explicit RoundListHeader(QWidget* parent = nullptr);

  // The first shown section's size: its height is the header's, which is all the list asks of it.
  QSize sizeHint() const override;

  // sectionSizeHint(logical), kept until the header's font, style, headings or sort arrows
  // change: the list's columns are fitted to their headings at every change of a round, and
  // Qt measures a heading through the style each time it is asked.
  int SectionWidthHint(int logical) const;

  void setModel(QAbstractItemModel* model) override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  mutable std::vector<int> widthHints_;  // -1: not measured yet
  mutable bool hintSortShown_ = false;
  QMetaObject::Connection headingsChanged_;
};

}  // namespace larkspin
