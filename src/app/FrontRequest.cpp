#include "FrontRequest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace larkspin {

QString FrontRequestName(const QString& folder) {
  QString path = QFileInfo(folder).canonicalFilePath();
  if (path.isEmpty()) path = QDir::cleanPath(QDir(folder).absolutePath());
  const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256);
  return QStringLiteral("larkspin-") + QString::fromLatin1(hash.toHex().left(32));
}

}  // namespace larkspin
