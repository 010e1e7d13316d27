#include "CommandFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "CourseFile.h"
#include "DataFolder.h"
#include "DiskFile.h"
#include "JournalFormat.h"
#include "RatingsFile.h"
#include "RoundFile.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>

#include <cerrno>

#include "DiskFileDetails.h"
#include "SystemCalls.h"
#endif

namespace larkspin {

namespace {

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

// The window's messages break their lines; a command's go on one.
std::string OneLine(const std::string& message) {
  return QString::fromStdString(message)
      .replace(QStringLiteral("\r\n"), QStringLiteral(" "))
      .toStdString();
}

QStringList OwnNames() {
  return {QString::fromLatin1(kRoundFileName), QString::fromLatin1(kCourseFileName),
          QString::fromLatin1(kRatingsFileName), QString::fromLatin1(kLockFileName)};
}

// The journal, and the copies kept of one not applied (".larkspin.journal.unapplied.2").
bool IsOwnName(const QString& name) {
  return OwnNames().contains(name) || name.startsWith(QString::fromLatin1(kJournalFileName));
}

// What a file made at `path` would be: the end of its chain of links.
QFileInfo FinalTarget(const QString& path) {
  QFileInfo file(path);
  for (int depth = 0; depth < 40 && file.isSymLink(); ++depth)
    file.setFile(file.symLinkTarget());
  return file;
}

std::string CannotTell(std::string_view shownName, const QString& reason) {
  return std::string(shownName) +
         ": Larkspin could not check that it is none of the data folder's own files (" +
         reason.toStdString() + ").";
}

}  // namespace

CommandFolder::CommandFolder(QString path, QStringList savedFiles)
    : path_(std::move(path)), savedFiles_(std::move(savedFiles)), lock_(path_) {}

QString CommandFolder::FilePath(const char* name) const {
  return QDir(path_).filePath(QString::fromLatin1(name));
}

std::optional<std::string> CommandFolder::WithoutData() const {
  bool missing = false;
  if (auto problem = DataFolderProblem(path_, missing)) return problem;
  const std::string noData =
      Shown(path_) + " holds no Larkspin data; start the window there first, or check the name.";
  if (missing) return noData;
  for (const char* name : {kRoundFileName, kCourseFileName}) {
    const PathState file = StatPath(FilePath(name));
    if (file.kind == PathState::Kind::kUnknown) {
      return "cannot use the data folder " + Shown(path_) + ": " + name + ": " +
             file.reason.toStdString() + '.';
    }
    if (file.kind != PathState::Kind::kMissing) return std::nullopt;
  }
  return noData;
}

std::optional<std::string> CommandFolder::Open() {
  if (auto problem = WithoutData()) return problem;
  switch (lock_.TryLock()) {
    case DataFolderLock::Outcome::kLocked:
      break;
    case DataFolderLock::Outcome::kHeldElsewhere:
      return OneLine(AlreadyOpenMessage(path_));
    case DataFolderLock::Outcome::kUnavailable:
      return OneLine(LockUnavailableMessage(path_, lock_.Reason()));
  }
  RemoveLeftoverTemporaries(path_, savedFiles_, lock_.FilePath());
  return std::nullopt;
}

std::string CommandFolder::IsOwn(std::string_view shownName, const QString& name) const {
  return std::string(shownName) + " is " + name.toStdString() + " of the data folder " +
         Shown(path_) + ", which Larkspin keeps for itself.";
}

#ifdef Q_OS_UNIX
std::optional<std::string> CommandFolder::SameAsOwn(unsigned long long device,
                                                    unsigned long long inode,
                                                    std::string_view shownName) const {
  QStringList names = OwnNames();
  names += QDir(path_).entryList({QString::fromLatin1(kJournalFileName) + QLatin1Char('*')},
                                 QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& name : names) {
    struct stat own {};
    if (StatRetrying(QFile::encodeName(QDir(path_).filePath(name)).constData(), &own) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) continue;
      return CannotTell(shownName, SystemReason(errno));
    }
    if (own.st_dev == device && own.st_ino == inode) return IsOwn(shownName, name);
  }
  return std::nullopt;
}

std::optional<std::string> CommandFolder::OwnFile(const QString& path,
                                                  std::string_view shownName) const {
  struct stat target {};
  if (StatRetrying(QFile::encodeName(path).constData(), &target) == 0) {
    return SameAsOwn(target.st_dev, target.st_ino, shownName);
  }
  if (errno != ENOENT && errno != ENOTDIR) return CannotTell(shownName, SystemReason(errno));
  // Not there yet: it would be made under its name, at the end of its links.
  const QFileInfo made = FinalTarget(path);
  if (!IsOwnName(made.fileName())) return std::nullopt;
  struct stat folder {};
  struct stat itsFolder {};
  if (StatRetrying(QFile::encodeName(path_).constData(), &folder) != 0 ||
      StatRetrying(QFile::encodeName(made.absolutePath()).constData(), &itsFolder) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    return CannotTell(shownName, SystemReason(errno));
  }
  if (folder.st_dev != itsFolder.st_dev || folder.st_ino != itsFolder.st_ino) return std::nullopt;
  return IsOwn(shownName, made.fileName());
}

std::optional<std::string> CommandFolder::OwnFile(int fd, std::string_view shownName) const {
  struct stat file {};
  if (System().fstat(fd, &file) != 0) {
    if (errno == EBADF) return std::nullopt;  // closed: reading or writing it tells
    return CannotTell(shownName, SystemReason(errno));
  }
  return SameAsOwn(file.st_dev, file.st_ino, shownName);
}
#else
std::optional<std::string> CommandFolder::OwnFile(const QString& path,
                                                  std::string_view shownName) const {
  const QFileInfo made = FinalTarget(path);
  const QString canonical = made.exists() ? made.canonicalFilePath()
                                          : QDir(made.absolutePath()).canonicalPath() +
                                                QLatin1Char('/') + made.fileName();
  const QDir folder(QDir(path_).canonicalPath());
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (IsOwnName(name) && QFileInfo(folder.filePath(name)).canonicalFilePath() == canonical) {
      return IsOwn(shownName, name);
    }
  }
  if (IsOwnName(made.fileName()) && QDir(made.absolutePath()).canonicalPath() == folder.path()) {
    return IsOwn(shownName, made.fileName());
  }
  return std::nullopt;
}

std::optional<std::string> CommandFolder::OwnFile(int /*fd*/,
                                                  std::string_view /*shownName*/) const {
  return std::nullopt;
}
#endif

}  // namespace larkspin
