// WriteFileAtomically: the one way every data file, kept copy and report page reaches the disk;
// RemoveFileDurably, for the journal that goes once they are saved.
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include "DiskFile.h"
#include "DiskFileDetails.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <optional>

#include "SystemCalls.h"
#else
#include <QSaveFile>
#endif

namespace larkspin {

namespace {

QString WrittenBadly() {
  return QStringLiteral("the file could not be written");
}

#ifdef Q_OS_UNIX
// The file a path stands for: a symbolic link is written through, so the link stays a link.
QByteArray FinalTarget(const QString& path) {
  QFileInfo file(path);
  for (int depth = 0; depth < 40 && file.isSymLink(); ++depth)
    file.setFile(file.symLinkTarget());
  return QFile::encodeName(file.isSymLink() ? path : file.filePath());
}

QByteArray FolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return QByteArrayLiteral(".");
  if (slash == 0) return QByteArrayLiteral("/");
  return path.left(slash);
}

// ".saving-" and six letters or digits: a name no one gives a file of their own, so that what a
// save left behind can be told from it and removed.
QByteArray RandomSuffix() {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  QByteArray suffix(kTemporaryInfix);
  for (int i = 0; i < 6; ++i)
    suffix += kLetters[QRandomGenerator::global()->bounded(62)];
  return suffix;
}

// Makes a rename in `folder` last through a crash. A file system that cannot sync a folder says
// so with EINVAL: it keeps its renames by other means.
bool SyncFolder(const QByteArray& folder, int& error) {
  const int fd = OpenRetrying(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  const bool synced = System().fsync(fd) == 0 || errno == EINVAL;
  error = errno;
  // The folder was only read: its close changes nothing on the disk.
  System().close(fd);
  return synced;
}

class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { Abandon(); }

  // A new file beside `target` with `mode` (less the umask).
  bool Create(const QByteArray& target, mode_t mode, int& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      name_ = target + RandomSuffix();
      fd_ =
          OpenRetrying(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
      if (fd_ >= 0) return true;
      if (errno != EEXIST) break;
    }
    error = errno;
    name_.clear();
    return false;
  }

  bool Write(std::string_view bytes, int& error) {
    while (!bytes.empty()) {
      const ssize_t written = System().write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        error = written < 0 ? errno : ENOSPC;
        return false;
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  // Permissions, data on the disk, and closed: every step's result counts, as a failing disk, a
  // full quota or a network folder may tell of a lost write only here.
  bool Finish(std::optional<mode_t> mode, FileStamp* stamp, int& error) {
    struct stat status {};
    if ((mode && System().fchmod(fd_, *mode) != 0) || System().fdatasync(fd_) != 0 ||
        System().fstat(fd_, &status) != 0) {
      error = errno;
      return false;
    }
    if (stamp) *stamp = StampOf(status);
    const int fd = fd_;
    fd_ = -1;
    // EINTR: the file is closed all the same (Linux), and its data was synced above.
    if (System().close(fd) != 0 && errno != EINTR) {
      error = errno;
      return false;
    }
    return true;
  }

  bool RenameTo(const QByteArray& target, int& error) {
    if (System().rename(name_.constData(), target.constData()) != 0) {
      error = errno;
      return false;
    }
    name_.clear();
    return true;
  }

 private:
  void Abandon() {
    if (fd_ >= 0) System().close(fd_);
    fd_ = -1;
    if (!name_.isEmpty()) System().unlink(name_.constData());
    name_.clear();
  }

  QByteArray name_;
  int fd_ = -1;
};

// The old file's permissions, with reading and writing for its owner; none when there is no old
// file (or no regular one), and the new file gets the usual ones (0666 less the umask). When they
// cannot be read, the owner's alone: a private file never becomes readable to others.
std::optional<mode_t> OldFileMode(const QByteArray& target) {
  struct stat old {};
  if (StatRetrying(target.constData(), &old) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    return S_IRUSR | S_IWUSR;
  }
  if (S_ISREG(old.st_mode)) return (old.st_mode & 0777) | S_IRUSR | S_IWUSR;
  return std::nullopt;
}
#endif

}  // namespace

#ifdef Q_OS_UNIX
bool WriteFileAtomically(const QString& path, const std::function<bool(const ByteSink&)>& produce,
                         QString* error, FileStamp* written) {
  const QByteArray target = FinalTarget(path);
  int failure = 0;
  const auto fail = [&](const QString& reason) {
    if (error) *error = reason;
    return false;
  };
  // Private until it has the old file's permissions.
  const std::optional<mode_t> mode = OldFileMode(target);
  TemporaryFile file;
  if (!file.Create(target, mode ? 0600 : 0666, failure)) return fail(SystemReason(failure));
  bool sinkFailed = false;
  const ByteSink sink = [&](std::string_view bytes) {
    sinkFailed = !file.Write(bytes, failure);
    return !sinkFailed;
  };
  if (!produce(sink)) return fail(sinkFailed ? SystemReason(failure) : WrittenBadly());
  if (!file.Finish(mode, written, failure) || !file.RenameTo(target, failure)) {
    return fail(SystemReason(failure));
  }
  if (!SyncFolder(FolderOf(target), failure)) {
    return fail(QStringLiteral("it was written, but its folder could not be synced to the disk, so "
                               "it may be lost if the computer stops: %1")
                    .arg(SystemReason(failure)));
  }
  return true;
}

bool RemoveFileDurably(const QString& path, QString* error) {
  const QByteArray name = QFile::encodeName(path);
  if (System().unlink(name.constData()) != 0) {
    if (errno == ENOENT) return true;
    if (error) *error = SystemReason(errno);
    return false;
  }
  int failure = 0;
  if (!SyncFolder(FolderOf(name), failure)) {
    if (error) {
      *error = QStringLiteral(
                   "it was removed, but its folder could not be synced to the disk, so "
                   "it may come back if the computer stops: %1")
                   .arg(SystemReason(failure));
    }
    return false;
  }
  return true;
}
#else
// Without POSIX calls, Qt's QSaveFile does the same steps, as far as it can tell their results.
bool WriteFileAtomically(const QString& path, const std::function<bool(const ByteSink&)>& produce,
                         QString* error, FileStamp* written) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  const auto fail = [&] {
    if (error) {
      *error = file.errorString();
      if (error->isEmpty() || file.error() == QFileDevice::NoError) *error = WrittenBadly();
    }
    file.cancelWriting();
    return false;
  };
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail();
  const ByteSink sink = [&file](std::string_view bytes) {
    while (!bytes.empty()) {
      const qint64 done = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
      if (done <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
  };
  if (!produce(sink) || !file.flush() || file.error() != QFileDevice::NoError) return fail();
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  if (written) *written = StatPath(path).stamp;
  return true;
}

bool RemoveFileDurably(const QString& path, QString* error) {
  QFile file(path);
  if (!file.exists() || file.remove()) return true;
  if (error) *error = file.errorString();
  return false;
}
#endif

}  // namespace larkspin
