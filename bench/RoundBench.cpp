// Timings of the round list's heavy commands on lks.dat files of 1,000, 10,000 and 100,000
// rounds: opening (reading, building the table, fitting the columns), saving, sorting by date
// and fitting the columns from scratch. Each works on a Scorecard as the window makes one, in a
// temporary folder of its own.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ColumnWidths.h"
#include "DiskFile.h"
#include "RoundFile.h"
#include "RoundFileGenerator.h"
#include "RoundOrdering.h"
#include "RoundRecord.h"
#include "RoundTable.h"
#include "Scorecard.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

// Opening the window's round list: a fresh round book sets up its columns and loads, that is
// reads lks.dat, checking its encoding, parsing it, building the table and counting every
// cell's width. Memory, per byte of the file, as resident memory grew from before the load:
// - mem_per_file_byte: held with the table loaded, once the allocator has handed back what the
//   load freed again (the file's bytes);
// - rss_per_file_byte: the same before the allocator hands anything back;
// - peak_mem_per_file_byte: at most while loading, where the kernel can reset the peak.
void LoadRounds(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  double residentPerByte = 0;
  double heldPerByte = 0;
  double peakPerByte = 0;
  bool peakKnown = true;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Close();
    ReleaseFreeMemory();
    const long long before = ResidentBytes();
    peakKnown = ResetPeakResident() && peakKnown;
    RoundBook& rounds = bench.MakeRoundBook();
    state.ResumeTiming();

    // The window fits the list's columns as the rounds come in.
    ColumnWidthTracker widths(rounds.Table(), bench.Measure());
    rounds.Load();

    state.PauseTiming();
    const long long after = ResidentBytes();
    const long long peak = PeakResidentBytes();
    ReleaseFreeMemory();
    const long long held = ResidentBytes();
    const auto fileBytes = static_cast<double>(bench.FileBytes());
    residentPerByte = std::max(residentPerByte, static_cast<double>(after - before) / fileBytes);
    heldPerByte = std::max(heldPerByte, static_cast<double>(held - before) / fileBytes);
    peakPerByte = std::max(peakPerByte, static_cast<double>(peak - before) / fileBytes);
    benchmark::DoNotOptimize(rounds.Table().RowCount());
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
  state.counters["mem_per_file_byte"] = heldPerByte;
  state.counters["rss_per_file_byte"] = residentPerByte;
  if (peakKnown) state.counters["peak_mem_per_file_byte"] = peakPerByte;
}

// Saving the round list after a change: the round book writes the whole table to lks.dat through a
// temporary file that replaces the old one.
void SaveRounds(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  RoundBook& rounds = bench.MakeRoundBook();
  rounds.Load();
  const RoundRecord first = rounds.Table().Row(0);
  for (auto _ : state) {
    // A table as it stands after a change: a file that already holds it is not written again.
    state.PauseTiming();
    rounds.Update(0, first);
    state.ResumeTiming();
    if (rounds.Save()) {
      state.SkipWithError("saving lks.dat failed");
      return;
    }
  }
  SetFileCounters(state, bench);
  // Loaded and saved unchanged, the file must come back byte for byte as generated.
  if (ReadWholeFile(bench.FilePath()) != ReadWholeFile(bench.GeneratedPath())) {
    state.SkipWithError("the saved lks.dat differs from the generated one");
  }
}

// A click on the "Date" heading of the table as loaded, whose rounds are in no order: the table
// is sorted by date. Each run clicks on a freshly loaded table, loaded untimed.
void SortByDate(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  if (IsInAscendingOrder(bench.Open().Rounds().Table(), kDateColumn)) {
    state.SkipWithError("the loaded rounds are in date order already");
    return;
  }
  bool checked = false;
  for (auto _ : state) {
    state.PauseTiming();
    Scorecard& scorecard = bench.Open();
    EvictCaches();
    state.ResumeTiming();

    scorecard.OnColumnClickRounds(kDateColumn);

    state.PauseTiming();
    if (!checked && !IsInAscendingOrder(scorecard.Rounds().Table(), kDateColumn)) {
      state.SkipWithError("the click did not sort the rounds by date");
      break;
    }
    checked = true;
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
}

// A second click on the "Date" heading: the table is in date order already, so the click finds
// that out and turns it upside down. Each run starts from a freshly loaded table sorted untimed.
void SortByDateAgain(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  bool checked = false;
  for (auto _ : state) {
    state.PauseTiming();
    Scorecard& scorecard = bench.Open();
    scorecard.OnColumnClickRounds(kDateColumn);
    const RoundTable& rounds = scorecard.Rounds().Table();
    const std::string firstDate(rounds.Cell(0, kDateColumn));
    const std::string lastDate(rounds.Cell(rounds.RowCount() - 1, kDateColumn));
    EvictCaches();
    state.ResumeTiming();

    scorecard.OnColumnClickRounds(kDateColumn);

    state.PauseTiming();
    if (!checked && (rounds.Cell(0, kDateColumn) != lastDate ||
                     rounds.Cell(rounds.RowCount() - 1, kDateColumn) != firstDate)) {
      state.SkipWithError("the second click did not reverse the rounds");
      break;
    }
    checked = true;
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
}

// Fitting the columns from scratch: a new width tracker counts every cell of the loaded table and
// gives each column its width.
void FitColumns(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  const RoundBook& rounds = bench.Open().Rounds();
  std::optional<ColumnWidthTracker> tracker;
  bool checked = false;
  for (auto _ : state) {
    tracker.emplace(rounds.Table(), bench.Measure());
    for (int column = 0; column < kRoundColumns; ++column)
      benchmark::DoNotOptimize(tracker->FittedWidth(column));

    state.PauseTiming();
    if (!checked && tracker->WidestCell(kCourseColumn) == 0) {
      state.SkipWithError("the courses were given no width");
      break;
    }
    checked = true;
    tracker.reset();
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
}

}  // namespace

void RegisterRoundBenchmarks() {
  Register("LoadRounds", LoadRounds, 5);
  Register("SaveRounds", SaveRounds, 5);
  Register("SortByDate", SortByDate, 10);
  Register("SortByDateAgain", SortByDateAgain, 10);
  Register("FitColumns", FitColumns, 10);
}

}  // namespace larkspin::bench
