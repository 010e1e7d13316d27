#include "DiskFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <memory>
#include <new>
#include <system_error>
#include <utility>

#include "DiskFileDetails.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "SystemCalls.h"
#else
#include <QDateTime>
#include <filesystem>
#endif

namespace larkspin {

QString SystemReason(int error) {
  return QString::fromStdString(std::generic_category().message(error));
}

namespace {

#ifdef Q_OS_UNIX
QString KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("a folder");
  if (S_ISFIFO(mode)) return QStringLiteral("a named pipe");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("a device");
  if (S_ISSOCK(mode)) return QStringLiteral("a socket");
  return QStringLiteral("not a regular file");
}

// A regular file open for reading, closed when it goes.
class ReadableFile {
 public:
  explicit ReadableFile(ReadCalls calls = ReadCalls::kReplaceable)
      : calls_(calls == ReadCalls::kSystemOwn ? RealSystemCalls() : System()) {}
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;
  // Closing a file that was only read loses nothing, whatever close() says.
  ~ReadableFile() {
    if (fd_ >= 0) calls_.close(fd_);
  }

  // Opens without blocking, so a named pipe cannot hold the program until some writer comes; its
  // type is then checked on the open file itself, so nothing can be swapped in between.
  FileReadResult::Outcome Open(const QString& path, QString& reason) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (calls_.stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
      reason = KindOf(status.st_mode);
      return FileReadResult::Outcome::kNotRegular;
    }
    do {
      fd_ = calls_.open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
      const int error = errno;
      if (error == ENOENT) return FileReadResult::Outcome::kMissing;
      reason = SystemReason(error);
      return FileReadResult::Outcome::kUnreadable;
    }
    if (calls_.fstat(fd_, &status) != 0) {
      reason = SystemReason(errno);
      return FileReadResult::Outcome::kUnreadable;
    }
    if (!S_ISREG(status.st_mode)) {
      reason = KindOf(status.st_mode);
      return FileReadResult::Outcome::kNotRegular;
    }
    stamp_ = StampOf(status);
    // Reads from a regular file do not block; the flag only mattered while opening.
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return FileReadResult::Outcome::kRead;
  }

  qint64 Size() const { return stamp_.size; }
  const FileStamp& Stamp() const { return stamp_; }
  // The open file's descriptor, for another to read and close.
  int Release() { return std::exchange(fd_, -1); }

  // Up to `size` bytes; 0 at the end, -1 on failure (`reason` says why).
  qint64 Read(char* data, qint64 size, QString& reason) {
    ssize_t read;
    do {
      read = calls_.read(fd_, data, static_cast<std::size_t>(size));
    } while (read < 0 && errno == EINTR);
    if (read < 0) reason = SystemReason(errno);
    return read;
  }

 private:
  const SystemCalls& calls_;
  int fd_ = -1;
  FileStamp stamp_;
};
#else
class ReadableFile {
 public:
  explicit ReadableFile(ReadCalls = ReadCalls::kReplaceable) {}
  FileReadResult::Outcome Open(const QString& path, QString& reason) {
    const QFileInfo info(path);
    if (!info.exists()) return FileReadResult::Outcome::kMissing;
    if (!info.isFile()) {
      reason = info.isDir() ? QStringLiteral("a folder") : QStringLiteral("not a regular file");
      return FileReadResult::Outcome::kNotRegular;
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly)) {
      reason = file_.errorString();
      return FileReadResult::Outcome::kUnreadable;
    }
    stamp_.size = file_.size();
    stamp_.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    return FileReadResult::Outcome::kRead;
  }
  qint64 Size() const { return stamp_.size; }
  const FileStamp& Stamp() const { return stamp_; }
  qint64 Read(char* data, qint64 size, QString& reason) {
    const qint64 read = file_.read(data, size);
    if (read < 0) reason = file_.errorString();
    return read;
  }

 private:
  QFile file_;
  FileStamp stamp_;
};
#endif

}  // namespace

PathState StatPath(const QString& path) {
  PathState state;
#ifdef Q_OS_UNIX
  struct stat status {};
  if (StatRetrying(QFile::encodeName(path).constData(), &status) != 0) {
    const int error = errno;
    // ENOTDIR: a file stands where the path needs a folder, so nothing stands at the path.
    if (error == ENOENT || error == ENOTDIR) return state;
    state.kind = PathState::Kind::kUnknown;
    state.reason = SystemReason(error);
    return state;
  }
  if (S_ISREG(status.st_mode)) {
    state.kind = PathState::Kind::kRegular;
    state.stamp = StampOf(status);
  } else if (S_ISDIR(status.st_mode)) {
    state.kind = PathState::Kind::kFolder;
  } else {
    state.kind = PathState::Kind::kOther;
    state.reason = KindOf(status.st_mode);
  }
#else
  const QFileInfo info(path);
  if (!info.exists()) return state;
  if (info.isFile()) {
    state.kind = PathState::Kind::kRegular;
    state.stamp.size = info.size();
    state.stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
  } else if (info.isDir()) {
    state.kind = PathState::Kind::kFolder;
  } else {
    state.kind = PathState::Kind::kOther;
    state.reason = QStringLiteral("not a regular file");
  }
#endif
  return state;
}

FileReadResult ReadRegularFile(const QString& path) {
  FileReadResult result;
  ReadableFile file;
  result.outcome = file.Open(path, result.reason);
  if (result.outcome != FileReadResult::Outcome::kRead) return result;
  result.stamp = file.Stamp();
  try {
    // Straight into the string; the loop also takes what is appended while reading.
    std::string& bytes = result.bytes;
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(file.Size(), 0)) + 1);
    std::size_t filled = 0;
    for (;;) {
      if (filled == bytes.size()) bytes.resize(2 * bytes.size());
      const qint64 read = file.Read(bytes.data() + filled,
                                    static_cast<qint64>(bytes.size() - filled), result.reason);
      if (read < 0) {
        result.outcome = FileReadResult::Outcome::kUnreadable;
        bytes.clear();
        return result;
      }
      if (read == 0) break;
      filled += static_cast<std::size_t>(read);
    }
    bytes.resize(filled);
  } catch (const std::bad_alloc&) {
    result = FileReadResult{FileReadResult::Outcome::kUnreadable,
                            {},
                            QStringLiteral("not enough memory to hold it"),
                            {}};
  }
  return result;
}

FileReadResult ReadRegularFileInPieces(const QString& path,
                                       const std::function<void(std::string_view)>& onBytes,
                                       std::size_t pieceSize, ReadCalls calls) {
  FileReadResult result;
  ReadableFile file(calls);
  result.outcome = file.Open(path, result.reason);
  if (result.outcome != FileReadResult::Outcome::kRead) return result;
  result.stamp = file.Stamp();
  // Left uninitialised: the reads fill it, and the pages a small file never reaches are never
  // touched.
  const std::size_t size = std::max<std::size_t>(pieceSize, 1);
  const auto piece = std::make_unique_for_overwrite<char[]>(size);
  for (bool atEnd = false; !atEnd;) {
    // Whole pieces, however the system hands out the bytes.
    std::size_t filled = 0;
    while (filled < size) {
      const qint64 read =
          file.Read(piece.get() + filled, static_cast<qint64>(size - filled), result.reason);
      if (read < 0) {
        result.outcome = FileReadResult::Outcome::kUnreadable;
        return result;
      }
      if (read == 0) {
        atEnd = true;
        break;
      }
      filled += static_cast<std::size_t>(read);
    }
    if (filled > 0) onBytes(std::string_view(piece.get(), filled));
  }
  return result;
}

FileReadResult::Outcome OpenRegularFile(const QString& path, QFile& file, QString& reason) {
  ReadableFile opened;
  const FileReadResult::Outcome outcome = opened.Open(path, reason);
  if (outcome != FileReadResult::Outcome::kRead) return outcome;
#ifdef Q_OS_UNIX
  const int fd = opened.Release();
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    reason = file.errorString();
    System().close(fd);
    return FileReadResult::Outcome::kUnreadable;
  }
#else
  file.setFileName(path);
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
    return FileReadResult::Outcome::kUnreadable;
  }
#endif
  return FileReadResult::Outcome::kRead;
}

std::optional<std::string> ReadWholeFile(const QString& path) {
  FileReadResult result = ReadRegularFile(path);
  if (result.outcome != FileReadResult::Outcome::kRead) return std::nullopt;
  return std::move(result.bytes);
}

void CreateFileIfMissing(const QString& path) {
#ifdef Q_OS_UNIX
  // Only a new file: nothing that appeared meanwhile is truncated, and a link is not followed.
  // What fails here shows when the file is read.
  const int fd = OpenRetrying(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd >= 0) System().close(fd);
#else
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.close();
#endif
}

bool WriteFileAtomically(const QString& path, std::string_view bytes, QString* error) {
  return WriteFileAtomically(
      path, [bytes](const ByteSink& sink) { return sink(bytes); }, error);
}

bool KeepFileAside(const QString& path, const QString& keptPath, QString* error, bool* moved) {
  if (moved) *moved = false;
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return true;
  if (QFileInfo::exists(keptPath) || QFileInfo(keptPath).isSymLink()) {
    if (error) *error = QStringLiteral("%1 exists already").arg(keptPath);
    return false;
  }
  ReadableFile source;
  QString reason;
  if (source.Open(path, reason) == FileReadResult::Outcome::kRead) {
    // A copy, written like every data file, so the file itself stays in place until replaced.
    QString readError;
    const bool copied = WriteFileAtomically(
        keptPath,
        [&source, &readError](const ByteSink& sink) {
          std::string piece(1 << 20, '\0');
          for (;;) {
            const qint64 read =
                source.Read(piece.data(), static_cast<qint64>(piece.size()), readError);
            if (read <= 0) return read == 0;
            if (!sink(std::string_view(piece.data(), static_cast<std::size_t>(read)))) {
              return false;
            }
          }
        },
        error);
    if (!copied && error && !readError.isEmpty()) *error = readError;
    return copied;
  }
  if (!MoveFile(path, keptPath, error)) return false;
  if (moved) *moved = true;
  return true;
}

bool MoveFile(const QString& from, const QString& to, QString* error) {
#ifdef Q_OS_UNIX
  if (System().rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) !=
      0) {
    if (error) *error = SystemReason(errno);
    return false;
  }
#else
  std::error_code failure;
  std::filesystem::rename(QFileInfo(from).filesystemFilePath(), QFileInfo(to).filesystemFilePath(),
                          failure);
  if (failure) {
    if (error) *error = QString::fromStdString(failure.message());
    return false;
  }
#endif
  return true;
}

QString FreeKeptName(const QString& path, const char* suffix) {
  const QString base = path + QString::fromLatin1(suffix);
  QString name = base;
  for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
    name = base + QLatin1Char('-') + QString::number(n);
  return name;
}

}  // namespace larkspin
