#include "DataFolderLock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QtGlobal>
#include <chrono>
#include <thread>

#include "DiskFileDetails.h"
#include "Sentence.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace larkspin {

namespace {

QString LockPath(const QString& folder) {
  return QDir(folder).filePath(QString::fromLatin1(kLockFileName));
}

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath())).toStdString();
}

#ifdef Q_OS_UNIX
bool ProcessRuns(qint64 pid) {
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// Whether a running process holds a system lock on the open file.
bool LockedByOthers(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return true;
  struct flock whole {};
  whole.l_type = F_RDLCK;  // the file is open for reading only
  whole.l_whence = SEEK_SET;
  return ::fcntl(fd, F_SETLK, &whole) != 0 && (errno == EACCES || errno == EAGAIN);
}

// Whether a process of this machine holds a system lock on a file that cannot be opened: Linux
// lists them all, by device and inode.
bool ListedAsLocked(const struct stat& status) {
  QFile locks(QStringLiteral("/proc/locks"));
  if (!locks.open(QIODevice::ReadOnly)) return false;
  // "1: FLOCK  ADVISORY  WRITE 4242 08:01:1234 0 EOF": device numbers in hex, then the inode.
  const QByteArray file = QStringLiteral(" %1:%2:%3 ")
                              .arg(major(status.st_dev), 2, 16, QLatin1Char('0'))
                              .arg(minor(status.st_dev), 2, 16, QLatin1Char('0'))
                              .arg(status.st_ino)
                              .toLatin1();
  return locks.readAll().contains(file);
}
#endif

}  // namespace

DataFolderLock::DataFolderLock(const QString& folder) : path_(LockPath(folder)), lock_(path_) {
  // The window stays open for hours: a lock counts as stale only when no running copy holds it,
  // never for its age.
  lock_.setStaleLockTime(0);
}

DataFolderLock::Outcome DataFolderLock::TryLock() {
  reason_.clear();
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (lock_.tryLock(0)) return Outcome::kLocked;
    if (lock_.error() != QLockFile::LockFailedError) {
      reason_ = lock_.error() == QLockFile::PermissionError
                    ? QStringLiteral("no permission to make it")
                    : QStringLiteral("it could not be written; the disk may be full");
      return Outcome::kUnavailable;
    }
    switch (FindOwner()) {
      case Owner::kRunning:
        return Outcome::kHeldElsewhere;
      case Owner::kUnknowable:
        return Outcome::kUnavailable;
      case Owner::kNone:
        break;  // removed: take it
    }
  }
  return Outcome::kHeldElsewhere;  // another copy took it meanwhile
}

// QLockFile has already taken over a lock naming a process of this machine that ended; what is
// left is a lock of a running process, or one naming none it can check.
DataFolderLock::Owner DataFolderLock::FindOwner() {
#ifdef Q_OS_UNIX
  qint64 pid = 0;
  QString host;
  QString application;
  if (lock_.getLockInfo(&pid, &host, &application) &&
      (host.isEmpty() || host == QSysInfo::machineHostName()) && ProcessRuns(pid)) {
    return Owner::kRunning;
  }
  const QByteArray name = QFile::encodeName(path_);
  // A copy writes its lock right after making it: one made a moment ago may be on its way.
  const QDateTime made = QFileInfo(path_).lastModified();
  const qint64 age = made.isValid() ? made.msecsTo(QDateTime::currentDateTime()) : 1000;
  if (age >= 0 && age < 1000) std::this_thread::sleep_for(std::chrono::milliseconds(1000 - age));

  const int fd =
      ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    int error = errno;
    if (error == ENOENT) return Owner::kNone;
    // Unreadable, so it names nobody: it goes like a stale one, unless a process holds it.
    if (struct stat status{}; error == EACCES && ::lstat(name.constData(), &status) == 0) {
      if (ListedAsLocked(status)) return Owner::kRunning;
      if (::unlink(name.constData()) == 0) return Owner::kNone;
      error = errno;
    }
    reason_ = error == ELOOP ? QStringLiteral("a link stands at that name") : SystemReason(error);
    return Owner::kUnknowable;
  }
  Owner owner = Owner::kNone;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    reason_ = SystemReason(errno);
    owner = Owner::kUnknowable;
  } else if (!S_ISREG(status.st_mode)) {
    reason_ = S_ISDIR(status.st_mode) ? QStringLiteral("a folder stands at that name")
                                      : QStringLiteral("something other than a file stands there");
    owner = Owner::kUnknowable;
  } else if (LockedByOthers(fd)) {
    owner = Owner::kRunning;
  } else if (::unlink(name.constData()) != 0) {  // while holding its locks, as QLockFile does
    reason_ = SystemReason(errno);
    owner = Owner::kUnknowable;
  }
  ::close(fd);
  return owner;
#else
  // Windows keeps a lock file open and undeletable while its copy runs: QLockFile has already
  // taken over every other.
  reason_.clear();
  return Owner::kRunning;
#endif
}

std::string AlreadyOpenMessage(const QString& folder) {
  return "Larkspin is already open in this folder:\r\n" + EndSentence(Shown(folder)) +
         "\r\nUse that window, or close it and start Larkspin again.\r\nIf no Larkspin is open "
         "there, remove its lock file\r\n" +
         Shown(LockPath(folder)) + "\r\nand start Larkspin again.";
}

std::string LockUnavailableMessage(const QString& folder, const QString& reason) {
  return "Larkspin cannot open this folder:\r\n" + EndSentence(Shown(folder)) +
         "\r\nIts lock file\r\n" + Shown(LockPath(folder)) + "\r\ncannot be made (" +
         reason.toStdString() +
         "). Without it, a second Larkspin window could write over this one's work.\r\nRemove "
         "what stands at that name, or make the folder writable, and start Larkspin again.";
}

}  // namespace larkspin
