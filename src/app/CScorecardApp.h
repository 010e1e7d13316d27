#pragma once

#include <QApplication>

namespace larkspin {

// The application: sets up its identity, runs the main window until it closes, and ends.
class CScorecardApp final : public QApplication {
  Q_OBJECT

 public:
  CScorecardApp(int& argc, char** argv);

  // Runs the main window; the program ends when it has closed.
  int InitInstance();
};

}  // namespace larkspin
