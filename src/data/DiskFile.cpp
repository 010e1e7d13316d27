#include "DiskFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtGlobal>
#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace larkspin {

namespace {

QString SystemReason(int error) {
  return QString::fromStdString(std::generic_category().message(error));
}

std::filesystem::path NativePath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

#ifdef Q_OS_UNIX
QString KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("a folder");
  if (S_ISFIFO(mode)) return QStringLiteral("a named pipe");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("a device");
  if (S_ISSOCK(mode)) return QStringLiteral("a socket");
  return QStringLiteral("not a regular file");
}

// Opens a regular file for reading into `file`. Opening without blocking keeps a named pipe from
// holding the program until some writer comes; its type is then checked on the open file itself,
// so nothing can be swapped in between.
FileReadResult::Outcome OpenRegular(const QString& path, QFile& file, QString& reason) {
  const QByteArray name = QFile::encodeName(path);
  struct stat status {};
  if (::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
    reason = KindOf(status.st_mode);
    return FileReadResult::Outcome::kNotRegular;
  }
  int fd;
  do {
    fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT) return FileReadResult::Outcome::kMissing;
    reason = SystemReason(error);
    return FileReadResult::Outcome::kUnreadable;
  }
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    reason = KindOf(status.st_mode);
    ::close(fd);
    return FileReadResult::Outcome::kNotRegular;
  }
  // Reads from a regular file do not block; the flag only mattered while opening.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    reason = file.errorString();
    ::close(fd);
    return FileReadResult::Outcome::kUnreadable;
  }
  return FileReadResult::Outcome::kRead;
}
#else
FileReadResult::Outcome OpenRegular(const QString& path, QFile& file, QString& reason) {
  const QFileInfo info(path);
  if (!info.exists()) return FileReadResult::Outcome::kMissing;
  if (!info.isFile()) {
    reason = info.isDir() ? QStringLiteral("a folder") : QStringLiteral("not a regular file");
    return FileReadResult::Outcome::kNotRegular;
  }
  file.setFileName(path);
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
    return FileReadResult::Outcome::kUnreadable;
  }
  return FileReadResult::Outcome::kRead;
}
#endif

}  // namespace

FileReadResult ReadRegularFile(const QString& path) {
  FileReadResult result;
  QFile file;
  result.outcome = OpenRegular(path, file, result.reason);
  if (result.outcome != FileReadResult::Outcome::kRead) return result;
  try {
    // Straight into the string; the loop also takes what is appended while reading.
    std::string& bytes = result.bytes;
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(file.size(), 0)) + 1);
    std::size_t filled = 0;
    for (;;) {
      if (filled == bytes.size()) bytes.resize(2 * bytes.size());
      const qint64 read =
          file.read(bytes.data() + filled, static_cast<qint64>(bytes.size() - filled));
      if (read < 0) {
        result.outcome = FileReadResult::Outcome::kUnreadable;
        result.reason = file.errorString();
        bytes.clear();
        return result;
      }
      if (read == 0) break;
      filled += static_cast<std::size_t>(read);
    }
    bytes.resize(filled);
  } catch (const std::bad_alloc&) {
    result = FileReadResult{
        FileReadResult::Outcome::kUnreadable, {}, QStringLiteral("not enough memory to hold it")};
  }
  return result;
}

FileReadResult::Outcome OpenRegularFile(const QString& path, QFile& file, QString& reason) {
  return OpenRegular(path, file, reason);
}

std::optional<std::string> ReadWholeFile(const QString& path) {
  FileReadResult result = ReadRegularFile(path);
  if (result.outcome != FileReadResult::Outcome::kRead) return std::nullopt;
  return std::move(result.bytes);
}

void CreateFileIfMissing(const QString& path) {
  QFile file(path);
  // Only a new file: nothing that appeared meanwhile is truncated, and a link is not followed.
  if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.close();
}

bool WriteFileAtomically(const QString& path, const std::function<bool(const ByteSink&)>& produce,
                         QString* error) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  const auto fail = [&] {
    if (error) {
      *error = file.errorString();
      if (error->isEmpty() || file.error() == QFileDevice::NoError) {
        *error = QStringLiteral("the file could not be written");
      }
    }
    file.cancelWriting();
    return false;
  };
  // Unbuffered: every piece goes straight to the system, so a failure comes back with its
  // reason (a buffered flush that falls short keeps none).
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail();
  const ByteSink sink = [&file](std::string_view bytes) {
    // After a short write, writing the rest fails and tells why.
    while (!bytes.empty()) {
      const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
      if (written <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  };
  // QSaveFile buffers, and its commit() in Qt 6.4 renames the file into place even when writing
  // out that buffer fails; so everything must be out, and known to be, before the commit.
  if (!produce(sink) || !file.flush() || file.error() != QFileDevice::NoError) return fail();
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

bool WriteFileAtomically(const QString& path, std::string_view bytes, QString* error) {
  return WriteFileAtomically(
      path, [bytes](const ByteSink& sink) { return sink(bytes); }, error);
}

bool KeepFileAside(const QString& path, const QString& keptPath, QString* error) {
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return true;
  if (QFileInfo::exists(keptPath) || QFileInfo(keptPath).isSymLink()) {
    if (error) *error = QStringLiteral("%1 exists already").arg(keptPath);
    return false;
  }
  QFile source;
  QString reason;
  if (OpenRegular(path, source, reason) == FileReadResult::Outcome::kRead) {
    // A copy, written like every data file, so the file itself stays in place until replaced.
    QString readError;
    const bool copied = WriteFileAtomically(
        keptPath,
        [&source, &readError](const ByteSink& sink) {
          std::string piece(1 << 20, '\0');
          for (;;) {
            const qint64 read = source.read(piece.data(), static_cast<qint64>(piece.size()));
            if (read < 0) readError = source.errorString();
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
  std::error_code failure;
  std::filesystem::rename(NativePath(path), NativePath(keptPath), failure);
  if (failure) {
    if (error) *error = QString::fromStdString(failure.message());
    return false;
  }
  return true;
}

QString FreeKeptName(const QString& path) {
  const QString base = path + QStringLiteral(".unread");
  QString name = base;
  for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
    name = base + QLatin1Char('-') + QString::number(n);
  return name;
}

}  // namespace larkspin
