// The round list drawn for the first time in a main window just opened on the generated files:
// its headings and the rows that fit, each cell read from the model as it is drawn.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "CScorecardDlg.h"
#include "RoundListView.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

// Each run opens a new window, untimed, and shows it; the list has not been drawn yet when the
// timing starts.
void ListFirstPaint(benchmark::State& state) {
  Workbench bench(Rounds(state), true);
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<CScorecardDlg>(bench.Services());
    if (window->Core().Rounds().Table().RowCount() != Rounds(state)) {
      state.SkipWithError("the generated files did not load in full");
      break;
    }
    window->show();
    EvictCaches();
    state.ResumeTiming();

    benchmark::DoNotOptimize(window->Widgets().rounds->grab());

    state.PauseTiming();
    window->CloseAsQuit();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
}

}  // namespace

void RegisterListPaintBenchmarks() {
  Register("ListFirstPaint", ListFirstPaint, 5);
}

}  // namespace larkspin::bench
