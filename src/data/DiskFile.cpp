#include "data/DiskFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace larkspin {

std::optional<std::string> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  std::string bytes;
  if (const qint64 size = file.size(); size > 0) bytes.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  for (;;) {
    const qint64 read = file.read(buffer, sizeof(buffer));
    if (read < 0) return std::nullopt;
    if (read == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(read));
  }
  return bytes;
}

void CreateFileIfMissing(const QString& path) {
  if (QFileInfo::exists(path)) return;
  QFile file(path);
  // Opening a new file for appending creates it and cannot truncate anything that appeared since.
  if (file.open(QIODevice::Append)) file.close();
}

bool WriteFileAtomically(const QString& path, std::string_view bytes) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // QSaveFile buffers, and its commit() in Qt 6.4 renames the file into place even when writing
  // out that buffer fails; so everything must be out, and known to be, before the commit.
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.flush() || file.error() != QFileDevice::NoError) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace larkspin
