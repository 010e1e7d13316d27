// A second copy's request reaches the window open on the same folder, also after a window that
// was killed left its socket behind; with no window there, it is not sent. The window's socket
// goes with it.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "FrontRequest.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#endif

using namespace larkspin;

namespace {

#ifdef Q_OS_UNIX
QString SocketPath(const QString& folder) {
  return QDir::cleanPath(QDir::tempPath()) + u'/' + FrontRequestName(folder);
}

// What a window killed with its socket open leaves: the socket's file, with nobody behind it.
bool LeaveStaleSocket(const QString& folder) {
  const QByteArray path = QFile::encodeName(SocketPath(folder));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound =
      bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      listen(stale, 1) == 0;
  close(stale);
  return bound && QFileInfo::exists(SocketPath(folder));
}
#endif

}  // namespace

class FrontRequestTest : public QObject {
  Q_OBJECT

 private slots:
  void request_reachesTheWindowOnTheFolder() {
    const struct {
      const char* behaviour;
      bool staleSocket;
      bool window;
    } cases[] = {
        {"a window on the folder", false, true},
        {"a socket left by a killed window, then a window", true, true},
        {"no window on the folder", false, false},
    };
    for (const auto& c : cases) {
      QTemporaryDir folder;
#ifdef Q_OS_UNIX
      if (c.staleSocket) QVERIFY2(LeaveStaleSocket(folder.path()), c.behaviour);
#else
      if (c.staleSocket) continue;
#endif
      int requests = 0;
      std::optional<FrontRequestServer> window;
      if (c.window) window.emplace(folder.path(), [&requests] { ++requests; });
      QVERIFY2(RequestFront(folder.path()) == c.window, c.behaviour);
      if (c.window) QTRY_COMPARE(requests, 1);
      window.reset();
#ifdef Q_OS_UNIX
      QVERIFY2(!QFileInfo::exists(SocketPath(folder.path())) || !c.window, c.behaviour);
#endif
    }
  }
};

QTEST_MAIN(FrontRequestTest)
#include "FrontRequestTest.moc"
