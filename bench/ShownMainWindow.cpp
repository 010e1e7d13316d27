#include "ShownMainWindow.h"

#include <QCoreApplication>

namespace larkspin::bench {

std::unique_ptr<CScorecardDlg> ShowMainWindow(benchmark::State& state, const Workbench& bench) {
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return nullptr;
  }
  auto window = std::make_unique<CScorecardDlg>(bench.Services());
  window->show();
  QCoreApplication::processEvents();
  if (window->Core().Rounds().Table().RowCount() != Rounds(state)) {
    state.SkipWithError("the generated files did not load in full");
    return nullptr;
  }
  return window;
}

}  // namespace larkspin::bench
