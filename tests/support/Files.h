#pragma once

// Whole files in and out, for tests of any layer, through Qt rather than the program's own file
// code that they check.

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace larkspin::testing {

// The file's bytes; "<unreadable>" when it cannot be opened, which no expected content matches.
inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes `bytes` over the file, creating it; false when that fails.
inline bool WriteFile(const QString& path, QByteArrayView bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace larkspin::testing
