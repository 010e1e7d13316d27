#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "FileFingerprint.h"
#include "JournalFormat.h"

namespace larkspin {

// The journal a start finds in the data folder: one is there only when the last session ended
// without saving.
struct JournalAtStart {
  enum class Outcome {
    kNone,        // no journal: the last session closed as it should
    kContinues,   // one that continues the files read now: its whole records are to be replayed
    kOtherFiles,  // the files changed since it was written: nothing of it applies to them
    kUnreadable,  // it could not be read, or it is not a journal: `reason` says why
  };
  Outcome outcome = Outcome::kNone;
  QString reason;
  JournalContents contents;  // for kContinues and kOtherFiles
};

// Reads the journal in `folder` and checks it against the data files as read now.
JournalAtStart ReadJournal(const QString& folder, const std::vector<FileFingerprint>& filesNow);

inline constexpr char kUnappliedSuffix[] = ".unapplied";

// Where a journal that is not applied is kept: ".larkspin.journal.unapplied", or when that is
// taken ".larkspin.journal.unapplied.2", ".3"...
QString FreeUnappliedName(const QString& journalPath);

// Keeps the journal in `folder` under FreeUnappliedName(): the path it has now, or nothing, with
// the reason in `error`, when it could not be moved (it then stays where it is).
std::optional<QString> KeepJournalUnapplied(const QString& folder, QString* error = nullptr);

}  // namespace larkspin
