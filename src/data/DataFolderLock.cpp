#include "DataFolderLock.h"

#include <QDir>

namespace larkspin {

DataFolderLock::DataFolderLock(const QString& folder)
    : lock_(QDir(folder).filePath(QString::fromLatin1(kLockFileName))) {
  // The window stays open for hours: a lock counts as stale only when the copy that holds it is
  // no longer running, never for its age.
  lock_.setStaleLockTime(0);
}

DataFolderLock::Outcome DataFolderLock::TryLock() {
  if (lock_.tryLock(0)) return Outcome::kLocked;
  return lock_.error() == QLockFile::LockFailedError ? Outcome::kHeldElsewhere
                                                     : Outcome::kUnavailable;
}

std::string AlreadyOpenMessage(const QString& folder) {
  return "Larkspin is already open in this folder:\r\n" +
         QDir::toNativeSeparators(QDir(folder).absolutePath()).toStdString() +
         "\r\nUse that window, or close it and start Larkspin again.";
}

}  // namespace larkspin
