// larkspin_window_bench: the "Trends" window on generated lks.dat and courses.dat files, from the
// press of the main window's "Trends" button to the window showing with its summary and charts
// built, on Qt's offscreen platform. bench/README.md says what each case times.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "CScorecardDlg.h"
#include "ShownMainWindow.h"
#include "TrendsWindow.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

// Presses "Trends" on a main window opened on the files, closing the trends window between
// presses so that each press opens a new one. With `paint`, the timing also covers drawing the
// whole window once, as the screen would.
void RunTrendsWindow(benchmark::State& state, bool paint) {
  Workbench bench(Rounds(state), true);
  const std::unique_ptr<CScorecardDlg> shown = ShowMainWindow(state, bench);
  if (!shown) return;
  CScorecardDlg& window = *shown;
  for (auto _ : state) {
    state.PauseTiming();
    delete window.findChild<TrendsWindow*>();
    QCoreApplication::processEvents();
    EvictCaches();
    state.ResumeTiming();

    window.Widgets().trends->click();
    if (paint) benchmark::DoNotOptimize(window.findChild<TrendsWindow*>()->grab());
  }
  const TrendsWindow* trends = window.findChild<TrendsWindow*>();
  if (!trends || !trends->isVisible()) state.SkipWithError("the trends window did not open");
  SetFileCounters(state, bench);
}

void TrendsWindowOpen(benchmark::State& state) {
  RunTrendsWindow(state, false);
}

void TrendsWindowPainted(benchmark::State& state) {
  RunTrendsWindow(state, true);
}

}  // namespace

}  // namespace larkspin::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  larkspin::bench::Register("TrendsWindowOpen", larkspin::bench::TrendsWindowOpen, 5);
  larkspin::bench::Register("TrendsWindowPainted", larkspin::bench::TrendsWindowPainted, 5);
  larkspin::bench::RegisterHandicapWindowBenchmarks();
  larkspin::bench::RegisterListPaintBenchmarks();
  larkspin::bench::RegisterReportWindowBenchmarks();
  larkspin::bench::RegisterChangeWindowBenchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
