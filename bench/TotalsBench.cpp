// A click on the round list's "Total" and "To par" headings: every round's holes added up and
// the table put in order of the figure, on a table loaded in no order.

#include <benchmark/benchmark.h>

#include <vector>

#include "CoursePars.h"
#include "RoundOrdering.h"
#include "RoundTable.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

std::vector<SortNumber> Figures(const Scorecard& scorecard, RoundFigure figure) {
  const RoundTable& rounds = scorecard.Rounds().Table();
  std::vector<SortNumber> figures;
  for (int row = 0; row < rounds.RowCount(); ++row)
    figures.push_back(Figure(SumRoundAtCourse(rounds, row, scorecard.Courses().Table()), figure));
  return figures;
}

// Each run clicks on a freshly loaded table, loaded untimed, from cold caches.
void SortByFigure(benchmark::State& state, RoundFigure figure) {
  Workbench bench(Rounds(state), true);
  if (!OpenWorkbench(state, bench)) return;
  if (IsInAscendingOrder(Figures(bench.Open(), figure))) {
    state.SkipWithError("the loaded rounds are in order already");
    return;
  }
  bool checked = false;
  for (auto _ : state) {
    state.PauseTiming();
    Scorecard& scorecard = bench.Open();
    EvictCaches();
    state.ResumeTiming();

    scorecard.OnFigureClickRounds(figure);

    state.PauseTiming();
    if (!checked && !IsInAscendingOrder(Figures(scorecard, figure))) {
      state.SkipWithError("the click did not sort the rounds");
      break;
    }
    checked = true;
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
}

void SortByTotal(benchmark::State& state) {
  SortByFigure(state, RoundFigure::kTotal);
}

void SortByToPar(benchmark::State& state) {
  SortByFigure(state, RoundFigure::kToPar);
}

}  // namespace

void RegisterTotalsBenchmarks() {
  Register("SortByTotal", SortByTotal, 10);
  Register("SortByToPar", SortByToPar, 10);
}

}  // namespace larkspin::bench
