#pragma once

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FileFingerprint.h"
#include "JournalFormat.h"

#ifndef Q_OS_UNIX
#include <QFile>
#endif

namespace larkspin {

// Writes the journal of one session in the data folder: started once the tables are read (at the
// latest with their first change, so that opening the window never waits for the files'
// fingerprints), a record appended and on the disk before each change counts as done, removed
// once both data files are saved. The file is only ever appended to, so a change costs its own
// record and a sync, whatever the tables hold.
//
// Any failed call (a full disk, a folder that became read-only, an I/O error) stops the journal
// for the rest of the session: what it holds up to there stays usable, nothing more is written,
// and the reason waits to be told once.
class JournalWriter {
 public:
  explicit JournalWriter(const QString& folder);
  ~JournalWriter();  // the journal stays: only Remove() takes it away
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  const QString& Path() const { return path_; }

  // A new journal in place of any there, naming `files` as they were read; on the disk, its name
  // too, before this returns.
  bool Start(const std::vector<FileFingerprint>& files,
             std::int64_t timeMs = QDateTime::currentMSecsSinceEpoch());
  // A new journal in place of any there, holding the whole part of `replayed`, which was read at
  // start and whose changes the tables now hold: the session goes on from there, and a second
  // crash still finds them. With `records`, only that many of its records were replayed.
  bool Resume(const JournalContents& replayed, std::size_t records = SIZE_MAX);

  // Appends the change, on the disk before this returns. False when it is not there: the journal
  // has failed now or before, or was never started.
  bool Append(const JournalEntry& entry);

  // After both data files were saved: the journal is removed, and stays removed through a crash.
  // Also when it failed or was never started, as one from before may stand there. False when it
  // could not be removed, with the reason in `error`.
  bool Remove(QString* error = nullptr);

  bool Writing() const;
  bool Failed() const { return !reason_.isEmpty(); }
  // Why the journal failed: the call's reason, from the system.
  const QString& Reason() const { return reason_; }
  // The reason, the first time it is asked for after a failure; after that, nothing.
  std::optional<QString> TakeFailure();

 private:
  bool Open(std::string_view bytes);
  void Close();
  bool Fail(const QString& reason);

  QString path_;
  QString reason_;
  bool told_ = false;
#ifdef Q_OS_UNIX
  int fd_ = -1;
#else
  QFile file_;
#endif
};

// What the window says, once, when the journal fails.
std::string JournalFailureMessage(const QString& journalPath, const QString& reason);

}  // namespace larkspin
