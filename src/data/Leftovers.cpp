// Temporary files of saves that never ended.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtGlobal>
#include <optional>

#include "DiskFile.h"
#include "DiskFileDetails.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include "SystemCalls.h"
#endif

namespace larkspin {

int RemoveLeftoverTemporaries(const QString& folder, const QStringList& fileNames,
                              const QString& lockPath) {
#ifdef Q_OS_UNIX
  const QString infix = QString::fromLatin1(kTemporaryInfix);
  struct stat lock {};
  if (System().stat(QFile::encodeName(lockPath).constData(), &lock) != 0) return 0;
  const QDir dir(folder);
  // Made only for a name that holds the infix: nearly every start finds none.
  std::optional<QRegularExpression> temporary;
  int removed = 0;
  for (const QString& name :
       dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort)) {
    if (!name.contains(infix)) continue;
    if (!temporary) {
      QStringList bases;
      for (const QString& base : fileNames)
        bases << QRegularExpression::escape(base);
      // "lks.dat.saving-x3Fq9Z", and those of the kept copies: "lks.dat.unread-2.saving-x3Fq9Z".
      temporary.emplace(
          QStringLiteral(
              "^(%1)(\\.unread(-[0-9]+)?|\\.changed-outside(-[0-9]+)?)?%2[A-Za-z0-9]{6}$")
              .arg(bases.join(QLatin1Char('|')), QRegularExpression::escape(infix)));
    }
    if (!temporary->match(name).hasMatch()) continue;
    const QByteArray path = QFile::encodeName(dir.filePath(name));
    struct stat status {};
    if (System().lstat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != ::geteuid()) {
      continue;
    }
    if (ModifiedNs(status) < ModifiedNs(lock) && System().unlink(path.constData()) == 0) {
      ++removed;
    }
  }
  return removed;
#else
  Q_UNUSED(folder);
  Q_UNUSED(fileNames);
  Q_UNUSED(lockPath);
  return 0;
#endif
}

}  // namespace larkspin
