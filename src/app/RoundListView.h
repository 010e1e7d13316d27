#pragma once

#include <QTableView>

#include "RoundListHeader.h"

namespace larkspin {

// The round list: one whole row selected at a time, and only ever one the user chose. A mouse
// click, on a row or on the empty area, is reported after the view has updated its selection;
// moving with the keyboard is not.
class RoundListView final : public QTableView {
  Q_OBJECT

 public:
  explicit RoundListView(QWidget* parent = nullptr);

  // The selected row, -1 for none.
  int SelectedRow() const;
  void SetSelectedRow(int row);

  RoundListHeader* Header() const { return static_cast<RoundListHeader*>(horizontalHeader()); }

 signals:
  void mouseClicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Qt selects a neighbour of a removed row that had the focus; here only the user selects.
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
};

}  // namespace larkspin
