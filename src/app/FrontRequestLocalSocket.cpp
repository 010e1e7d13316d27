// The request through Qt's local sockets: Windows' named pipes. (Elsewhere a socket of the system's
// own carries it, and the program needs no network library.)

#include <QLocalServer>
#include <QLocalSocket>

#include "FrontRequest.h"

namespace larkspin {

struct FrontRequestServer::Listener {
  QLocalServer* server;
};

FrontRequestServer::FrontRequestServer(const QString& folder, std::function<void()> bringToFront,
                                       QObject* parent)
    : QObject(parent),
      listener_(std::make_unique<Listener>(Listener{new QLocalServer(this)})),
      bringToFront_(std::move(bringToFront)) {
  QLocalServer* const server = listener_->server;
  const QString name = FrontRequestName(folder);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left by a copy that ended without closing it: this copy holds the folder's lock now.
  if (!server->listen(name) && server->serverError() == QAbstractSocket::AddressInUseError) {
    QLocalServer::removeServer(name);
    server->listen(name);
  }
  connect(server, &QLocalServer::newConnection, this, &FrontRequestServer::Accept);
}

FrontRequestServer::~FrontRequestServer() = default;

void FrontRequestServer::Accept() {
  while (QLocalSocket* socket = listener_->server->nextPendingConnection()) {
    socket->setReadBufferSize(sizeof kFrontRequest);
    // The request may arrive with the connection, after it, or just before the other copy
    // closes its end.
    const auto read = [this, socket] {
      if (!socket->canReadLine()) return;
      if (socket->readLine() == kFrontRequest) bringToFront_();
      socket->disconnectFromServer();
    };
    connect(socket, &QLocalSocket::readyRead, socket, read);
    connect(socket, &QLocalSocket::disconnected, socket, [socket, read] {
      read();
      socket->deleteLater();
    });
    read();
  }
}

bool RequestFront(const QString& folder) {
  QLocalSocket socket;
  socket.connectToServer(FrontRequestName(folder));
  if (!socket.waitForConnected(kFrontRequestWaitMs)) return false;
  socket.write(kFrontRequest);
  while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kFrontRequestWaitMs)) {
  }
  const bool sent = socket.bytesToWrite() == 0;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState)
    socket.waitForDisconnected(kFrontRequestWaitMs);
  return sent;
}

}  // namespace larkspin
