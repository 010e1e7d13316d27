#pragma once

// The main window as a widget test opens it: shown and active on the offscreen platform.

#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "CScorecardDlg.h"
#include "HoleBox.h"
#include "RoundListView.h"

namespace larkspin::testing {

inline std::unique_ptr<CScorecardDlg> OpenMainWindow(const ScorecardServices& services,
                                                     QSettings* placement = nullptr) {
  auto window = std::make_unique<CScorecardDlg>(services, placement);
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) qWarning("window not active");
  return window;
}

// A click on a round of the list, as the user loads it into the grid.
inline void ClickRound(CScorecardDlg& w, int row) {
  auto* view = w.Widgets().rounds;
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    view->visualRect(view->model()->index(row, 0)).center());
}

// The same text typed into the strokes field of every hole.
inline void TypeStrokes(CScorecardDlg& w, const QString& strokes) {
  for (HoleBox* hole : w.Widgets().holes)
    hole->strokes->setText(strokes);
}

}  // namespace larkspin::testing
