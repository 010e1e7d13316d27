// lks.dat and the order of the round table.
#include "Scorecard.h"

#include "CoursePars.h"

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

void Scorecard::OnFigureClickRounds(RoundFigure figure) {
  ReadForm();
  values_.roundCount = rounds_.Table().RowCount();
  const RoundTable& rounds = rounds_.Table();
  ParsByCourse pars(courses_.Table());
  std::vector<std::optional<int>> numbers;
  numbers.reserve(rounds.RowCount());
  for (int row = 0; row < rounds.RowCount(); ++row) {
    // A total needs no pars.
    numbers.push_back(Figure(figure == RoundFigure::kTotal
                                 ? SumRound(ScoreCellsOf(rounds, row), HolePars{})
                                 : pars.SumRound(rounds, row),
                             figure));
  }
  rounds_.SortByNumbers(numbers);
  ShowForm();
}

}  // namespace larkspin
