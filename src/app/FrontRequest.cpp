#include "FrontRequest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace larkspin {

namespace {

constexpr char kRequest[] = "front\n";
// A copy that is busy answers later; one that does not answer within this is not waited for.
constexpr int kWaitMilliseconds = 1000;

}  // namespace

QString FrontRequestName(const QString& folder) {
  QString path = QFileInfo(folder).canonicalFilePath();
  if (path.isEmpty()) path = QDir::cleanPath(QDir(folder).absolutePath());
  const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256);
  return QStringLiteral("larkspin-") + QString::fromLatin1(hash.toHex().left(32));
}

FrontRequestServer::FrontRequestServer(const QString& folder, std::function<void()> bringToFront,
                                       QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), bringToFront_(std::move(bringToFront)) {
  const QString name = FrontRequestName(folder);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left by a copy that ended without closing it: this copy holds the folder's lock now.
  if (!server_->listen(name) && server_->serverError() == QAbstractSocket::AddressInUseError) {
    QLocalServer::removeServer(name);
    server_->listen(name);
  }
  connect(server_, &QLocalServer::newConnection, this, &FrontRequestServer::Accept);
}

void FrontRequestServer::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    socket->setReadBufferSize(sizeof kRequest);
    // The request may arrive with the connection, after it, or just before the other copy
    // closes its end.
    const auto read = [this, socket] {
      if (!socket->canReadLine()) return;
      if (socket->readLine() == kRequest) bringToFront_();
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
  if (!socket.waitForConnected(kWaitMilliseconds)) return false;
  socket.write(kRequest);
  while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kWaitMilliseconds)) {
  }
  const bool sent = socket.bytesToWrite() == 0;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState)
    socket.waitForDisconnected(kWaitMilliseconds);
  return sent;
}

}  // namespace larkspin
