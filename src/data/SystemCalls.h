#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace larkspin {

// The system calls through which the data files, the report page, their folder and the leftovers
// of earlier saves are read and written. The program uses the system's own; the tests put in
// stand-ins that fail the call they choose, to check that every failure leaves the files whole
// and is told.
struct SystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  int (*close)(int fd);
  ssize_t (*read)(int fd, void* buffer, std::size_t size);
  ssize_t (*write)(int fd, const void* buffer, std::size_t size);
  int (*fdatasync)(int fd);
  int (*fsync)(int fd);
  int (*fchmod)(int fd, mode_t mode);
  int (*fstat)(int fd, struct stat* status);
  int (*stat)(const char* path, struct stat* status);
  int (*lstat)(const char* path, struct stat* status);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
};

// The system's own calls.
const SystemCalls& RealSystemCalls();

// The calls in use: the system's own, unless a test has put others in.
SystemCalls& System();

// open() again for as long as a signal interrupts it.
int OpenRetrying(const char* path, int flags, mode_t mode = 0);
// stat() again for as long as a signal interrupts it.
int StatRetrying(const char* path, struct stat* status);

}  // namespace larkspin
#endif
