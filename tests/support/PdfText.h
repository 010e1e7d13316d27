#pragma once

// What a PDF holds as text, read back by pdftotext (poppler-utils), and its page count by pdfinfo.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <optional>

namespace larkspin::testing {

// Nothing when poppler's tools are not installed.
inline std::optional<QString> PdfText(const QString& path) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return std::nullopt;
  QProcess process;
  process.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPages(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {path});
  if (!process.waitForFinished(30000)) return -1;
  for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  }
  return -1;
}

inline bool PdfFontsEmbedded(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdffonts"), {path});
  if (!process.waitForFinished(30000)) return false;
  const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
  int fonts = 0;
  for (const QString& line : lines.mid(2)) {
    if (line.trimmed().isEmpty()) continue;
    // name type encoding emb sub uni object ID: "emb" is the fourth column from the end but three.
    const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
    if (columns.size() < 7 || columns.at(columns.size() - 5) != QStringLiteral("yes")) return false;
    ++fonts;
  }
  return fonts > 0;
}

}  // namespace larkspin::testing
