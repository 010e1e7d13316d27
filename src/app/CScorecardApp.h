#pragma once

#include <QApplication>
#include <QString>

namespace larkspin {

// The application: sets up its identity, runs the main window until it closes, and ends.
class CScorecardApp final : public QApplication {
  Q_OBJECT

 public:
  // `dataDir` holds lks.dat and courses.dat; it exists and can be written.
  CScorecardApp(int& argc, char** argv, QString dataDir);

  // Runs the main window; the program ends when it has closed.
  int InitInstance();

 private:
  QString dataDir_;
};

}  // namespace larkspin
