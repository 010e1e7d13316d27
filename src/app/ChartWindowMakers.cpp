// The makers of the chart windows, for the program's chart library or for a program linked with
// the windows themselves.

#include "ChartWindowMakers.h"

#include "HandicapWindow.h"
#include "PrintPreview.h"
#include "TrendsWindow.h"

namespace larkspin {

namespace {

QDialog* MakeTrends(const TrendsSources& sources, QWidget* parent) {
  return new TrendsWindow(sources, parent);
}

QDialog* MakeHandicap(const HandicapSources& sources, QWidget* parent) {
  return new HandicapWindow(sources, parent);
}

void TablesChanged(QDialog* window) {
  if (auto* trends = qobject_cast<TrendsWindow*>(window)) trends->OnTablesChanged();
  if (auto* handicap = qobject_cast<HandicapWindow*>(window)) handicap->OnTablesChanged();
}

void ShowInFront(QDialog* window) {
  if (auto* trends = qobject_cast<TrendsWindow*>(window)) trends->ShowInFront();
  if (auto* handicap = qobject_cast<HandicapWindow*>(window)) handicap->ShowInFront();
}

constexpr ChartWindowMakers kMakers{.trends = MakeTrends,
                                    .handicap = MakeHandicap,
                                    .tablesChanged = TablesChanged,
                                    .showInFront = ShowInFront,
                                    .preview = PreviewPrintJob};

}  // namespace

const ChartWindowMakers* ChartWindowMakersHere() {
  return &kMakers;
}

}  // namespace larkspin
