#pragma once

// The main window as a widget test opens it: shown and active on the offscreen platform.

#include <QtTest>
#include <memory>

#include "CScorecardDlg.h"

namespace larkspin::testing {

inline std::unique_ptr<CScorecardDlg> OpenMainWindow(const ScorecardServices& services,
                                                     QSettings* placement = nullptr) {
  auto window = std::make_unique<CScorecardDlg>(services, placement);
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) qWarning("window not active");
  return window;
}

}  // namespace larkspin::testing
