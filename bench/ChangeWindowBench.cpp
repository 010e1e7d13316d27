// "Update Score" through the main window on Qt's offscreen platform: a stroke of the selected
// round changed in the grid and the button pressed, until the core holds the change and the
// window shows the form again with its totals and the list fitted to it, as the user meets it.
// The window keeps no journal here: its sync is timed on its own, beside the core's change.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "CScorecardDlg.h"
#include "HoleBox.h"
#include "RoundListView.h"
#include "ShownMainWindow.h"

namespace larkspin::bench {

namespace {

void UpdateScoreWindow(benchmark::State& state) {
  Workbench bench(Rounds(state), true);
  const std::unique_ptr<CScorecardDlg> window = ShowMainWindow(state, bench);
  if (!window) return;
  const auto& c = window->Widgets();
  c.rounds->SetSelectedRow(0);
  emit c.rounds->mouseClicked();  // the round is loaded into the grid
  if (window->Core().Rounds().SelectedRow() != 0) {
    state.SkipWithError("the first round was not selected");
    return;
  }
  int strokes = 4;
  for (auto _ : state) {
    state.PauseTiming();
    QCoreApplication::processEvents();
    strokes = strokes == 4 ? 5 : 4;
    c.holes[0]->strokes->setText(QString::number(strokes));
    state.ResumeTiming();

    c.updateScore->click();
  }
  if (window->Core().Rounds().Table().Cell(0, ScoreColumn(1)) != std::to_string(strokes) ||
      bench.Messages() != 0) {
    state.SkipWithError("the change did not reach the round");
  }
  SetFileCounters(state, bench);
}

}  // namespace

void RegisterChangeWindowBenchmarks() {
  Register("UpdateScoreWindow", UpdateScoreWindow, 50);
}

}  // namespace larkspin::bench
