#pragma once

#include <QString>
#include <QtGlobal>

#include "DiskFile.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace larkspin {

// The system's words for an errno value ("No space left on device").
QString SystemReason(int error);

#ifdef Q_OS_UNIX
// When the file was last modified, in nanoseconds since 1970.
inline std::int64_t ModifiedNs(const struct stat& status) {
#ifdef Q_OS_MACOS
  const timespec& modified = status.st_mtimespec;
#else
  const timespec& modified = status.st_mtim;
#endif
  return static_cast<std::int64_t>(modified.tv_sec) * 1000000000 + modified.tv_nsec;
}

inline FileStamp StampOf(const struct stat& status) {
  return FileStamp{static_cast<std::uint64_t>(status.st_dev),
                   static_cast<std::uint64_t>(status.st_ino),
                   static_cast<std::int64_t>(status.st_size), ModifiedNs(status)};
}
#endif

}  // namespace larkspin
