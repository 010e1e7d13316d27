#include "StandardStreams.h"

#include <QtGlobal>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace larkspin {

void OpenClosedStandardStreams() {
#ifdef Q_OS_UNIX
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
#endif
}

bool FlushStandardOutput() {
  return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

}  // namespace larkspin
