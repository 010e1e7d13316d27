#include "data/DiskFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace larkspin {

std::optional<std::string> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  // Straight into the string; the loop also takes what is appended while reading.
  std::string bytes(static_cast<std::size_t>(std::max<qint64>(file.size(), 0)) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(2 * bytes.size());
    const qint64 read =
        file.read(bytes.data() + filled, static_cast<qint64>(bytes.size() - filled));
    if (read < 0) return std::nullopt;
    if (read == 0) break;
    filled += static_cast<std::size_t>(read);
  }
  bytes.resize(filled);
  return bytes;
}

void CreateFileIfMissing(const QString& path) {
  if (QFileInfo::exists(path)) return;
  QFile file(path);
  // Opening a new file for appending creates it and cannot truncate anything that appeared since.
  if (file.open(QIODevice::Append)) file.close();
}

bool WriteFileAtomically(const QString& path, const std::function<bool(const ByteSink&)>& produce) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const ByteSink sink = [&file](std::string_view bytes) {
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
  };
  // QSaveFile buffers, and its commit() in Qt 6.4 renames the file into place even when writing
  // out that buffer fails; so everything must be out, and known to be, before the commit.
  if (!produce(sink) || !file.flush() || file.error() != QFileDevice::NoError) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool WriteFileAtomically(const QString& path, std::string_view bytes) {
  return WriteFileAtomically(path, [bytes](const ByteSink& sink) { return sink(bytes); });
}

}  // namespace larkspin
