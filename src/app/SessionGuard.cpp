#include "SessionGuard.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSessionManager>
#include <QSocketNotifier>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

#include "CScorecardDlg.h"

namespace larkspin {

namespace {

std::atomic<CScorecardDlg*> g_window{nullptr};
std::thread::id g_mainThread;

#ifdef Q_OS_UNIX
constexpr int kClosingSignals[] = {SIGTERM, SIGHUP, SIGINT};
constexpr int kClosingSignalCount = 3;
// [0] is read by the event loop, [1] written by the handler.
int g_signalSockets[2] = {-1, -1};
struct sigaction g_previousActions[kClosingSignalCount];
struct sigaction g_previousPipeAction;

void OnClosingSignal(int signal) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(signal);
  // When the socket is full, a close is on its way already.
  [[maybe_unused]] const auto written = ::write(g_signalSockets[1], &byte, 1);
  errno = savedErrno;
}
#endif

}  // namespace

SessionGuard::SessionGuard() {
  g_mainThread = std::this_thread::get_id();
  // Exit handlers run before the destructors of static objects made before them were registered,
  // and after those of objects made later. Saving makes temporary file names from Qt's random
  // generator: it is made now, so it is still there when the handler saves.
  QRandomGenerator::global()->generate();
  [[maybe_unused]] static const bool registered = std::atexit(&SessionGuard::SaveAtExit) == 0;

#ifdef Q_OS_UNIX
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalSockets) == 0) {
    notifier_ = new QSocketNotifier(g_signalSockets[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionGuard::OnSignal);
    struct sigaction action {};
    action.sa_handler = &OnClosingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kClosingSignalCount; ++i) {
      ::sigaction(kClosingSignals[i], &action, &g_previousActions[i]);
    }
  }
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGPIPE, &ignore, &g_previousPipeAction);
#endif

  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    // The session manager waits for the answer, so it is given at once.
    connect(app, &QGuiApplication::commitDataRequest, this, &SessionGuard::OnCommitData,
            Qt::DirectConnection);
  }
}

SessionGuard::~SessionGuard() {
  Watch(nullptr);
#ifdef Q_OS_UNIX
  ::sigaction(SIGPIPE, &g_previousPipeAction, nullptr);
  if (notifier_) {
    for (int i = 0; i < kClosingSignalCount; ++i) {
      ::sigaction(kClosingSignals[i], &g_previousActions[i], nullptr);
    }
    delete notifier_;
    ::close(g_signalSockets[0]);
    ::close(g_signalSockets[1]);
    g_signalSockets[0] = g_signalSockets[1] = -1;
  }
#endif
}

void SessionGuard::Watch(CScorecardDlg* window) {
  if (window_) disconnect(window_, nullptr, this, nullptr);
  window_ = window;
  g_window = window;
  if (window) connect(window, &QObject::destroyed, this, [this] { Watch(nullptr); });
}

void SessionGuard::SaveAtExit() {
  CScorecardDlg* window = g_window.exchange(nullptr);
  if (!window) return;
  // The tables belong to the main thread; seen from another, they may be half-way through a
  // change.
  if (std::this_thread::get_id() != g_mainThread) {
    std::fputs("The program ended from another thread; lks.dat and courses.dat were not saved.\n",
               stderr);
    return;
  }
  window->SaveBeforeExit();
}

void SessionGuard::OnSignal() {
#ifdef Q_OS_UNIX
  char bytes[16];
  while (::read(g_signalSockets[0], bytes, sizeof bytes) > 0) {
  }
#endif
  if (window_) window_->CloseAsQuit();
}

void SessionGuard::OnCommitData(QSessionManager& manager) {
  if (!window_) return;
  bool asked = false;
  const bool mayEnd = window_->OnEndSession([&manager, &asked] {
    asked = true;
    return manager.allowsInteraction();
  });
  if (!mayEnd) manager.cancel();
  if (asked) manager.release();
}

}  // namespace larkspin
