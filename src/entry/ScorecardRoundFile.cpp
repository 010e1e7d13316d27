// lks.dat and the order of the round table.
#include <algorithm>

#include "DiskFile.h"
#include "RoundFile.h"
#include "RoundOrdering.h"
#include "Scorecard.h"

namespace larkspin {

void Scorecard::LoadRounds() {
  ReadForm();
  std::vector<PackedRound> rounds = ParseRoundFile(roundFile_.Read());
  const std::size_t count = rounds.size();
  // Each round read goes to the top, so the file's last round ends up in row 0.
  std::reverse(rounds.begin(), rounds.end());
  rounds_.InsertRowsAtTop(std::move(rounds));
  roundFile_.Loaded(count, rounds_.Revision());
  FitRoundListColumns();
  UpdateRoundCount();
  ClearGrid();
  ShowForm();
}

bool Scorecard::SaveRounds() {
  ReadForm();
  values_.roundCount = rounds_.RowCount();
  const bool saved = WriteDataFile(roundFile_, rounds_.Revision(), [this](const ByteSink& sink) {
    return WriteRoundFile(rounds_, sink);
  });
  ClearGrid();
  ShowForm();
  return saved;
}

void Scorecard::OnColumnClickRounds(int column) {
  if (column < 0 || column >= kRoundColumns) return;
  SortRoundsByColumn(column);
}

void Scorecard::SortRoundsByColumn(int column) {
  ReadForm();
  values_.roundCount = rounds_.RowCount();
  if (IsInAscendingOrder(rounds_, column)) {
    ReverseRoundRows();
  } else {
    rounds_.Reorder(AscendingOrder(rounds_, column));
  }
  ShowForm();
}

void Scorecard::ReverseRoundRows() {
  ReadForm();
  values_.roundCount = rounds_.RowCount();
  rounds_.Reverse();
  ShowForm();
}

}  // namespace larkspin
