#include "JournalAtStart.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "DiskFile.h"

namespace larkspin {

namespace {

QString JournalPath(const QString& folder) {
  return QDir(folder).filePath(QString::fromLatin1(kJournalFileName));
}

bool Taken(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

}  // namespace

JournalAtStart ReadJournal(const QString& folder, const std::vector<FileFingerprint>& filesNow) {
  JournalAtStart found;
  FileReadResult file = ReadRegularFile(JournalPath(folder));
  switch (file.outcome) {
    case FileReadResult::Outcome::kMissing:
      return found;
    case FileReadResult::Outcome::kNotRegular:
      found.outcome = JournalAtStart::Outcome::kUnreadable;
      found.reason = QStringLiteral("it is %1, not a file").arg(file.reason);
      return found;
    case FileReadResult::Outcome::kUnreadable:
      found.outcome = JournalAtStart::Outcome::kUnreadable;
      found.reason = file.reason;
      return found;
    case FileReadResult::Outcome::kRead:
      break;
  }
  found.contents = JournalContents(std::move(file.bytes));
  if (!found.contents.Readable()) {
    found.outcome = JournalAtStart::Outcome::kUnreadable;
    found.reason = found.contents.Problem();
  } else {
    found.outcome = found.contents.Continues(filesNow) ? JournalAtStart::Outcome::kContinues
                                                       : JournalAtStart::Outcome::kOtherFiles;
  }
  return found;
}

QString FreeUnappliedName(const QString& journalPath) {
  const QString base = journalPath + QString::fromLatin1(kUnappliedSuffix);
  QString name = base;
  for (int n = 2; Taken(name); ++n)
    name = base + QLatin1Char('.') + QString::number(n);
  return name;
}

std::optional<QString> KeepJournalUnapplied(const QString& folder, QString* error) {
  const QString journal = JournalPath(folder);
  const QString kept = FreeUnappliedName(journal);
  if (!MoveFile(journal, kept, error)) return std::nullopt;
  return kept;
}

}  // namespace larkspin
