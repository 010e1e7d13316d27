#pragma once

#include <QObject>

class QSessionManager;
class QSocketNotifier;

namespace larkspin {

class CScorecardDlg;

// Keeps the main window's rounds and courses however the session ends:
// - SIGTERM, SIGHUP and SIGINT close the window as "Quit" does. The handler only writes a byte
//   into a socket; the event loop reads it and closes the window, so no work happens inside the
//   handler.
// - The session manager's request to save (at logout) saves both files.
// - A display that goes away ends the process from inside Qt's platform plugin ("The X11
//   connection broke", then exit(1)); an exit handler saves both files from the tables on the way
//   out. SIGPIPE is ignored, so a write to the dead display ends there too instead of killing the
//   process on the spot.
// Made before the main window, so that a signal during loading waits for the window; Watch()
// then hands it the window.
class SessionGuard final : public QObject {
  Q_OBJECT

 public:
  SessionGuard();
  ~SessionGuard() override;
  SessionGuard(const SessionGuard&) = delete;
  SessionGuard& operator=(const SessionGuard&) = delete;

  void Watch(CScorecardDlg* window);

  // What the exit handler does; for tests, which cannot end their own process.
  static void SaveAtExit();

 private:
  void OnSignal();
  void OnCommitData(QSessionManager& manager);

  CScorecardDlg* window_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace larkspin
