#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "DiskFile.h"
#include "FileFingerprint.h"
#include "SkippedContent.h"
#include "TextEncoding.h"

namespace larkspin {

// One data file (lks.dat, courses.dat) as the main window reads it when it opens and writes it
// when it closes, keeping the rule that nothing the user had is lost:
// - A file that was not read in full is never written over. While its table is unchanged it is not
//   written at all, so closing leaves it exactly as it was; once the table has changed, the file
//   as it was read is first kept beside it under a new name (lks.dat.unread), and then the table
//   is saved as usual.
// - A file that another program changed while the window was open (a sync client, an editor, a
//   backup restored) is not written over either: the table is saved only when it has changed, and
//   then the other program's version is first kept beside it (lks.dat.changed-outside).
class DataFileKeeper {
 public:
  // What Read() does where there is no file: make an empty one (lks.dat and courses.dat, so the
  // user sees where the data goes), or leave it missing, and write none until the table changes.
  enum class Missing { kMake, kLeave };

  // `records` names what the file holds, for the messages: "round", "course".
  DataFileKeeper(QString path, std::string records, Missing missing = Missing::kMake);

  // Reads the file, making an empty one where there is none (see Missing), and returns its text
  // (see FindDataFileText), empty when it could not be read. The text lives until Loaded().
  std::string_view Read();
  // Reads the file as Read() does, but hands its text to `onText` in pieces of whole lines (see
  // DataFileTextPieces) instead of holding it: the whole file is never in memory at once. False
  // when the file could not be read to its end: what was handed on must then be dropped, as the
  // file counts as not read.
  bool ReadInPieces(const std::function<void(std::string_view)>& onText);
  // After the text has been parsed: how many records it gave, what the reader passed over, and
  // the table's revision now. `inOwnForm`: the text read was byte for byte what writing the table
  // would give, so a close with the table unchanged leaves the file as it is without checking.
  void Loaded(std::size_t records, std::uint64_t tableRevision, const SkippedContent& skipped = {},
              bool inOwnForm = false);

  // Whether Read() and ReadInPieces() also keep what the file's fingerprint needs, for the journal
  // to name the file it continues. Only the journal's first change needs it, so it is not worked
  // out while the window opens: the file is read again for it, and named only when that gives
  // the bytes the first read gave. A command-line exchange, which writes no journal, goes without.
  void SetFingerprinted(bool on) { fingerprinted_ = on; }
  ~DataFileKeeper();
  DataFileKeeper(const DataFileKeeper&) = delete;
  DataFileKeeper& operator=(const DataFileKeeper&) = delete;
  // Begins working out the fingerprint on a thread of its own, unless it has begun.
  void StartFingerprint() const;
  // The file as it was read, worked out now when it has not begun, waiting while it is being
  // worked out; a file of which nothing was read has one too.
  const FileFingerprint& Fingerprint() const;

  // Whether the file holds the table at `tableRevision`: it has not changed since the file was
  // read or last written.
  bool Holds(std::uint64_t tableRevision) const { return tableRevision == savedRevision_; }

  bool WhollyRead() const { return unread_.empty(); }
  // What was not read, and what becomes of the file, in a few sentences; empty when the whole
  // file was read.
  const std::string& Unread() const { return unread_; }

  // Writes the table through `produce`, unless the rules above say otherwise, or the file already
  // holds the very bytes it would write (an unchanged table, fingerprinted as read or written
  // since): then the file is left as it is, its time and all. On failure, the line that tells the
  // user: the file and the reason.
  std::optional<std::string> Write(std::uint64_t tableRevision,
                                   const std::function<bool(const ByteSink&)>& produce);
  // What the last Write() kept beside the file, for the user to know; empty when nothing.
  const std::string& KeptNotice() const { return notice_; }
  // Whether the last Write() put the table in the file, also when it failed afterwards (its folder
  // could not be synced): the file holds the table then, though a crash may still lose it.
  bool Replaced() const { return replaced_; }

 private:
  std::string ShownPath() const;
  void NotRead(const std::string& what);
  // Forgets what the last read found.
  void StartReading();
  // What a read that did not give the file's text means for the file.
  void NotReadBecause(const FileReadResult& result);
  void ControlZFound(std::size_t unreadBytes, std::size_t controlZ);
  // What the fingerprint of the file just read needs, kept for later when it is fingerprinted.
  void KeepForFingerprint(const FileStamp& stamp, std::uint64_t size, std::size_t check);
  // Whether the file, unchanged since it was read or written, holds what `produce` would write.
  bool HoldsAlready(const std::function<bool(const ByteSink&)>& produce) const;
  // Whether another program changed the file since it was read or last written (`changed`), or
  // it still stands there as it was (`same`); on failure to tell, the line that says so.
  std::optional<std::string> CheckUnchanged(bool& changed, bool& same) const;

  QString path_;
  std::string records_;
  Missing missing_;
  bool absentWhenRead_ = false;               // and none could be made, or none was to be
  std::shared_ptr<const std::string> bytes_;  // from Read() to Loaded()
  bool fingerprinted_ = false;
  // The file as read, to be read again for the fingerprint; none once it has been.
  struct FingerprintSource {
    FileStamp stamp;
    std::uint64_t size = 0;
    std::size_t check = 0;  // qHashBits over the pieces read
  };
  mutable std::optional<FingerprintSource> fingerprintSource_;
  // What the file held as read (its size and qHashBits over its pieces), or that it holds what
  // this keeper last wrote: how a close with nothing changed knows to leave it alone.
  std::optional<FingerprintSource> asRead_;
  // The file holds what writing the table at savedRevision_ would write: this keeper wrote it, or
  // read it in that very form.
  bool holdsTable_ = false;
  mutable FileFingerprint fingerprint_;
  mutable std::future<FileFingerprint> fingerprinting_;
  // Set when the keeper goes while the thread still reads: it then stops hashing.
  std::shared_ptr<std::atomic<bool>> fingerprintStop_ = std::make_shared<std::atomic<bool>>(false);
  DataFileText text_;
  std::size_t fileBytes_ = 0;
  std::size_t textBytes_ = 0;  // handed on by ReadInPieces: fewer without a byte-order mark or
                               // after a control-Z
  // Whether the text held more than empty lines and the "CREATOR" header; none while the text is
  // still there to tell.
  std::optional<bool> beyondHeader_;
  std::string unread_;
  QString keptPath_;  // where the file as read goes before its first replacement
  bool keptAside_ = false;
  std::optional<FileStamp> stamp_;   // of the file as read or last written
  std::uint64_t savedRevision_ = 0;  // the table the file holds
  std::string notice_;
  bool replaced_ = false;
};

}  // namespace larkspin
