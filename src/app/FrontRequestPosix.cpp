// The request through a Unix domain socket of the system's own, watched by the event loop: Qt's
// local sockets would bring Qt Network, and the libraries it needs, into every start. The socket
// stands where Qt's would, in the temporary folder under the same name, so a copy finds the
// window whichever side's version made the socket.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <optional>

#include "FrontRequest.h"

namespace larkspin {

namespace {

std::optional<sockaddr_un> SocketAddress(const QString& folder) {
  const QByteArray path =
      QFile::encodeName(QDir::cleanPath(QDir::tempPath()) + u'/' + FrontRequestName(folder));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  return address;
}

int Retrying(const auto& call) {
  int result;
  do {
    result = call();
  } while (result < 0 && errno == EINTR);
  return result;
}

// Neither inherited by the programs the window starts nor waited on; set apart from socket() and
// accept(), as not every system takes these as flags there.
int Prepared(int socket, bool nonBlocking) {
  if (socket < 0) return socket;
  fcntl(socket, F_SETFD, FD_CLOEXEC);
  if (nonBlocking) fcntl(socket, F_SETFL, fcntl(socket, F_GETFL) | O_NONBLOCK);
  return socket;
}

}  // namespace

struct FrontRequestServer::Listener {
  int socket = -1;
  QByteArray path;  // removed when the window goes
};

FrontRequestServer::FrontRequestServer(const QString& folder, std::function<void()> bringToFront,
                                       QObject* parent)
    : QObject(parent),
      listener_(std::make_unique<Listener>()),
      bringToFront_(std::move(bringToFront)) {
  const std::optional<sockaddr_un> address = SocketAddress(folder);
  if (!address) return;
  const int socket = Prepared(::socket(AF_UNIX, SOCK_STREAM, 0), true);
  if (socket < 0) return;
  const auto bound = [&] {
    // Only the user's own copies may ask.
    const mode_t mask = umask(0077);
    const int result = bind(socket, reinterpret_cast<const sockaddr*>(&*address), sizeof *address);
    umask(mask);
    return result == 0;
  };
  // A socket left by a copy that ended without removing it: this copy holds the folder's lock now.
  if (!bound() && !(errno == EADDRINUSE && unlink(address->sun_path) == 0 && bound())) {
    close(socket);
    return;
  }
  if (listen(socket, 8) != 0) {
    close(socket);
    unlink(address->sun_path);
    return;
  }
  listener_->socket = socket;
  listener_->path = address->sun_path;
  auto* incoming = new QSocketNotifier(socket, QSocketNotifier::Read, this);
  connect(incoming, &QSocketNotifier::activated, this, &FrontRequestServer::Accept);
}

FrontRequestServer::~FrontRequestServer() {
  if (listener_->socket < 0) return;
  close(listener_->socket);
  unlink(listener_->path.constData());
}

void FrontRequestServer::Accept() {
  for (int connection;
       (connection = Prepared(
            Retrying([this] { return accept(listener_->socket, nullptr, nullptr); }), true)) >=
       0;) {
    // The request may arrive with the connection, after it, or just before the other copy
    // closes its end; the connection ends at its line, at its end or when it says too much.
    auto* readable = new QSocketNotifier(connection, QSocketNotifier::Read, this);
    auto received = std::make_shared<QByteArray>();
    connect(readable, &QSocketNotifier::activated, this, [this, readable, received, connection] {
      char bytes[sizeof kFrontRequest];
      const auto count =
          Retrying([&] { return static_cast<int>(read(connection, bytes, sizeof bytes)); });
      if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
      if (count > 0) received->append(bytes, count);
      if (count > 0 && !received->contains('\n') &&
          received->size() < static_cast<qsizetype>(sizeof kFrontRequest)) {
        return;
      }
      if (*received == kFrontRequest) bringToFront_();
      readable->setEnabled(false);
      readable->deleteLater();
      close(connection);
    });
  }
}

bool RequestFront(const QString& folder) {
  const std::optional<sockaddr_un> address = SocketAddress(folder);
  if (!address) return false;
  const int socket = Prepared(::socket(AF_UNIX, SOCK_STREAM, 0), false);
  if (socket < 0) return false;
  // A copy that is busy answers later; one that does not answer within this is not waited for.
  timeval wait{.tv_sec = kFrontRequestWaitMs / 1000, .tv_usec = kFrontRequestWaitMs % 1000 * 1000};
  setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
#ifdef SO_NOSIGPIPE
  const int on = 1;
  setsockopt(socket, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
#ifdef MSG_NOSIGNAL
  constexpr int kFlags = MSG_NOSIGNAL;  // a window gone meanwhile is a failed request, no signal
#else
  constexpr int kFlags = 0;
#endif
  bool sent = false;
  // Not tried again when a signal interrupts it: the connection would go on regardless.
  if (connect(socket, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) {
    const auto count = Retrying([&] {
      return static_cast<int>(send(socket, kFrontRequest, sizeof kFrontRequest - 1, kFlags));
    });
    sent = count == static_cast<int>(sizeof kFrontRequest - 1);
  }
  close(socket);
  return sent;
}

}  // namespace larkspin
