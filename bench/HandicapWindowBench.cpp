// The "Handicap" window on generated lks.dat and courses.dat files with every course rated, from
// the press of the main window's "Handicap" button to the window showing with its record, the
// rounds not counted, the Index chart and a course's strokes, on Qt's offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "CScorecardDlg.h"
#include "DiskFile.h"
#include "HandicapWindow.h"
#include "RatingsFile.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

// Presses "Handicap" on a main window opened on the files, closing the handicap window between
// presses so that each press opens a new one. With `paint`, the timing also covers drawing the
// whole window once, as the screen would.
void RunHandicapWindow(benchmark::State& state, bool paint) {
  Workbench bench(Rounds(state), true);
  bool ready = bench.Ready();
  if (ready) {
    const CourseTable& courses = bench.Open().Courses().Table();
    ready = courses.RowCount() > 0 &&
            WriteFileAtomically(bench.FolderPath(kRatingsFileName),
                                SerializeRatingsFile(RateEveryCourse(courses)));
    bench.Close();
  }
  if (!ready) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  CScorecardDlg window(bench.Services());
  window.show();
  QCoreApplication::processEvents();
  if (window.Core().Rounds().Table().RowCount() != Rounds(state) ||
      window.Core().Ratings().Table().RowCount() == 0) {
    state.SkipWithError("the generated files did not load in full");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    delete window.findChild<HandicapWindow*>();
    QCoreApplication::processEvents();
    EvictCaches();
    state.ResumeTiming();

    window.Widgets().handicap->click();
    if (paint) benchmark::DoNotOptimize(window.findChild<HandicapWindow*>()->grab());
  }
  const HandicapWindow* handicap = window.findChild<HandicapWindow*>();
  if (!handicap || !handicap->isVisible() || handicap->Widgets().index->text().size() < 3) {
    state.SkipWithError("the handicap window did not open on an Index");
  }
  SetFileCounters(state, bench);
  state.counters["rated_courses"] = window.Core().Ratings().Table().RowCount();
}

void HandicapWindowOpen(benchmark::State& state) {
  RunHandicapWindow(state, false);
}

void HandicapWindowPainted(benchmark::State& state) {
  RunHandicapWindow(state, true);
}

}  // namespace

void RegisterHandicapWindowBenchmarks() {
  Register("HandicapWindowOpen", HandicapWindowOpen, 5);
  Register("HandicapWindowPainted", HandicapWindowPainted, 5);
}

}  // namespace larkspin::bench
