#include "SystemCalls.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace larkspin {

const SystemCalls& RealSystemCalls() {
  // Lambdas, as some of these are macros or inline wrappers in the C library.
  static const SystemCalls calls {
    .open = [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
    .close = [](int fd) { return ::close(fd); },
    .read = [](int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); },
    .write = [](int fd, const void* buffer, std::size_t size) { return ::write(fd, buffer, size); },
#if defined(_POSIX_SYNCHRONIZED_IO) && _POSIX_SYNCHRONIZED_IO > 0
    .fdatasync = [](int fd) { return ::fdatasync(fd); },
#else
    .fdatasync = [](int fd) { return ::fsync(fd); },
#endif
    .fsync = [](int fd) { return ::fsync(fd); },
    .fchmod = [](int fd, mode_t mode) { return ::fchmod(fd, mode); },
    .fstat = [](int fd, struct stat* status) { return ::fstat(fd, status); },
    .stat = [](const char* path, struct stat* status) { return ::stat(path, status); },
    .lstat = [](const char* path, struct stat* status) { return ::lstat(path, status); },
    .rename = [](const char* from, const char* to) { return std::rename(from, to); },
    .unlink = [](const char* path) { return ::unlink(path); },
  };
  return calls;
}

SystemCalls& System() {
  static SystemCalls calls = RealSystemCalls();
  return calls;
}

int OpenRetrying(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = System().open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int StatRetrying(const char* path, struct stat* status) {
  int result;
  do {
    result = System().stat(path, status);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace larkspin
#endif
