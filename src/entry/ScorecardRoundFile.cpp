// lks.dat and the order of the round table.
#include "Scorecard.h"

namespace larkspin {

void Scorecard::LoadRounds() {
  ReadForm();
  rounds_.Load();
  UpdateRoundCount();
  ClearGrid();
  ShowForm();
}

void Scorecard::OnColumnClickRounds(int column) {
  if (column < 0 || column >= kRoundColumns) return;
  SortRoundsByColumn(column);
}

void Scorecard::SortRoundsByColumn(int column) {
  ReadForm();
  values_.roundCount = rounds_.Table().RowCount();
  rounds_.SortByColumn(column);
  ShowForm();
}

}  // namespace larkspin
