#pragma once

#include <QLockFile>
#include <QString>
#include <string>

namespace larkspin {

inline constexpr char kLockFileName[] = ".larkspin.lock";

// One window per data folder: a second copy of the program in the same folder would write its
// stale tables over the first one's saved work when closed last. The lock is a file in the data
// folder; one left by a copy that is no longer running (it crashed, or the machine went down) is
// taken over.
class DataFolderLock {
 public:
  enum class Outcome {
    kLocked,
    kHeldElsewhere,  // another running copy works in this folder
    kUnavailable,    // no lock file can be made here (a read-only folder, say)
  };

  explicit DataFolderLock(const QString& folder);
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;

  Outcome TryLock();
  void Unlock() { lock_.unlock(); }

 private:
  QLockFile lock_;
};

// What a second copy tells the user before it ends.
std::string AlreadyOpenMessage(const QString& folder);

}  // namespace larkspin
