#pragma once

#include <QLockFile>
#include <QString>
#include <string>

namespace larkspin {

inline constexpr char kLockFileName[] = ".larkspin.lock";

// One window per data folder: a second copy of the program in the same folder would write its
// stale tables over the first one's saved work when closed last. The lock is a file in the data
// folder. One that names no running copy is taken over: left by a copy that crashed or a machine
// that went down, left empty or half-written by a copy killed while making it, unreadable, or
// restored from another machine's backup. A copy holds a system lock on the file too, so a
// running copy is known even where the file does not name it (another machine, over a network
// folder that shares its locks).
class DataFolderLock {
 public:
  enum class Outcome {
    kLocked,
    kHeldElsewhere,  // another running copy works in this folder
    kUnavailable,    // no lock file can be made here: Reason() says why
  };

  explicit DataFolderLock(const QString& folder);
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;

  Outcome TryLock();
  void Unlock() { lock_.unlock(); }

  const QString& FilePath() const { return path_; }
  const QString& Reason() const { return reason_; }

 private:
  enum class Owner { kRunning, kNone, kUnknowable };
  Owner FindOwner();

  QString path_;
  QLockFile lock_;
  QString reason_;
};

// What a second copy tells the user before it ends.
std::string AlreadyOpenMessage(const QString& folder);
// What a copy that cannot lock its folder tells the user before it ends.
std::string LockUnavailableMessage(const QString& folder, const QString& reason);

}  // namespace larkspin
