// Undo on a table of 100,000 rounds: what a step costs beside the change itself, and what the
// history keeps per step. Each works on a round book loaded from the generated lks.dat.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <utility>

#include "ChangeHistory.h"
#include "ColumnWidths.h"
#include "RoundBook.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

constexpr int kSteps = 10'000;

// Spreads the rows a benchmark touches over the whole table, the same ones every run.
int RowFor(int step, int rows) {
  return static_cast<int>((static_cast<std::uint64_t>(step) * 2'654'435'761u) %
                          static_cast<std::uint64_t>(rows));
}

// What the window does after a change: each column's width.
void FitColumns(const ColumnWidthTracker& widths) {
  for (int column = 0; column < kRoundColumns; ++column)
    benchmark::DoNotOptimize(widths.FittedWidth(column));
}

RoundRecord EditedRound(const RoundTable& table, int row, int step) {
  RoundRecord round = table.Row(row);
  round[ScoreColumn(1 + step % kHoles)] = std::to_string(3 + step % 5);
  return round;
}

// The change alone: Add, Update and Remove Score in turn, each on a row of its own, no undo.
// Against it, UndoSteps below.
void ChangeSteps(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  RoundBook& book = bench.MakeRoundBook();
  ColumnWidthTracker widths(book.Table(), bench.Measure());
  book.Load();
  int step = 0;
  for (auto _ : state) {
    const int row = RowFor(step, book.Table().RowCount());
    switch (step % 3) {
      case 0:
        book.Add(EditedRound(book.Table(), row, step));
        break;
      case 1:
        book.Update(row, EditedRound(book.Table(), row, step));
        break;
      default:
        book.Remove(row);
        break;
    }
    FitColumns(widths);
    ++step;
  }
  state.counters["rows"] = book.Table().RowCount();
}

// 10,000 steps, a change and its undo in turn: Add, Update and Remove Score taken back, each
// finding its round by id. Time per step; memory the history keeps afterwards, per step.
void UndoSteps(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  RoundBook& book = bench.MakeRoundBook();
  ColumnWidthTracker widths(book.Table(), bench.Measure());
  book.Load();
  ChangeHistory& history = bench.History();
  ReleaseFreeMemory();
  const long long before = ResidentBytes();
  int step = 0;
  for (auto _ : state) {
    const int row = RowFor(step / 2, book.Table().RowCount());
    if (step % 2 == 1) {
      history.Undo();
    } else if (step / 2 % 3 == 0) {
      book.Add(EditedRound(book.Table(), row, step));
    } else if (step / 2 % 3 == 1) {
      book.Update(row, EditedRound(book.Table(), row, step));
    } else {
      book.Remove(row);
    }
    FitColumns(widths);
    ++step;
  }
  ReleaseFreeMemory();
  state.counters["rows"] = book.Table().RowCount();
  state.counters["mem_per_step"] = static_cast<double>(ResidentBytes() - before) / step;
}

// 10,000 Update Score steps, all kept: what the history holds per step against what a round's
// cells take (the file's bytes per round, keys and line ends included).
void HistoryGrowth(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  RoundBook& book = bench.MakeRoundBook();
  ColumnWidthTracker widths(book.Table(), bench.Measure());
  book.Load();
  ReleaseFreeMemory();
  const long long before = ResidentBytes();
  int step = 0;
  for (auto _ : state) {
    const int row = RowFor(step, book.Table().RowCount());
    book.Update(row, EditedRound(book.Table(), row, step));
    ++step;
  }
  ReleaseFreeMemory();
  state.counters["mem_per_step"] = static_cast<double>(ResidentBytes() - before) / step;
  state.counters["file_bytes_per_round"] =
      static_cast<double>(bench.FileBytes()) / book.Table().RowCount();
}

}  // namespace

void RegisterUndoBenchmarks() {
  using Function = void (*)(benchmark::State&);
  const std::pair<const char*, Function> benchmarks[] = {
      {"ChangeSteps", ChangeSteps}, {"UndoSteps", UndoSteps}, {"HistoryGrowth", HistoryGrowth}};
  for (const auto& [name, function] : benchmarks) {
    benchmark::RegisterBenchmark(name, function)
        ->Arg(100'000)
        ->Iterations(kSteps)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
}

}  // namespace larkspin::bench
