#pragma once

// The bytes of the journal, the file in the data folder to which a session appends every change
// of its tables as it is made, so that the changes outlive a crash or a power cut; the next start
// replays them. This layer knows nothing of rounds or courses: a change is a kind, a time and a
// list of cells, each any bytes at all.
//
// Version 1. Integers are little-endian; a varint is LEB128 (seven bits a byte, the lowest first,
// the top bit set on every byte but the last; as short as the number allows; at most ten bytes):
//
//   journal  = magic version header change*
//   magic    = "LKSJ"
//   version  = %x01
//   header   = frame(%x00 time file*)           the files the journal continues, as read
//   change   = frame(kind time cell*)
//   frame(b) = length check b
//   length   = u64: the bytes of b, never 0
//   check    = u32: the CRC-32 (zlib's) of the eight bytes of length and then b
//   kind     = varint, 1 to 2^32-1: what the change is, for the one who wrote it
//   time     = i64: when the record was made, in milliseconds since 1970-01-01 UTC
//   file     = bytes (%x00 / %x01 size sha256)  its name; not read, or read: size, SHA-256
//   size     = varint
//   sha256   = 32 octets
//   cell     = bytes
//   bytes    = varint octet*                    the count, then that many octets
//
// A record is appended in one write: a crash may leave the last one cut short, or its last block
// as zeros or garbage. The length finds a record's end without looking inside, and the check
// tells a record whole; a reader uses every record up to the first that is not. CRC-32 is made for
// this: any damage of up to 32 bits in a row is always found, other damage all but once in four
// billion, and it takes over a gigabyte a second, where Qt's SHA-256 is six times slower and a
// record may hold a whole import. Qt's own qChecksum() is a 16-bit one, which misses one damage in
// 65,536. Each record carries its time rather than the file's modification time telling the last
// one's, as a copy or a restore changes that, and a record cut short is no change at all.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FileFingerprint.h"

namespace larkspin {

inline constexpr char kJournalFileName[] = ".larkspin.journal";

// The beginning of a journal: the magic, the version and the header naming `files`.
std::string JournalStart(std::int64_t timeMs, const std::vector<FileFingerprint>& files);

// One change on its way into the journal, its cells added one by one.
class JournalEntry {
 public:
  // `kind` is from 1 up.
  explicit JournalEntry(std::uint32_t kind,
                        std::int64_t timeMs = QDateTime::currentMSecsSinceEpoch());

  void Add(std::string_view cell);
  template <typename Cells>
  void AddAll(const Cells& cells) {
    for (const auto& cell : cells)
      Add(cell);
  }

  // The whole record, framed, as it is appended.
  std::string_view Bytes() const;

 private:
  // The frame: length and check, filled in by Bytes(), then the body.
  mutable std::string bytes_;
};

// A change as it was read back. Its cells are views into the JournalContents it came from.
struct JournalRecord {
  std::uint32_t kind = 0;
  std::int64_t timeMs = 0;
  std::string_view cells;  // as written: walk them with JournalCells
};

// Walks the cells of a record, in their order, without copying them.
class JournalCells {
 public:
  explicit JournalCells(const JournalRecord& record) : left_(record.cells) {}
  // The next cell; false after the last.
  bool Next(std::string_view& cell);

 private:
  std::string_view left_;
};
std::vector<std::string_view> CellsOf(const JournalRecord& record);

// A journal's bytes, read: its header and every whole record from the start.
class JournalContents {
 public:
  // What follows the last whole record.
  enum class Tail {
    kNone,     // nothing: the journal ends after it
    kTorn,     // one record cut short or left half-written, as a crash leaves the record it wrote
    kDamaged,  // a record that is not whole with more behind it, or one no Larkspin wrote
  };

  JournalContents() = default;
  explicit JournalContents(std::string bytes);

  // Whether it has a whole header: when not, Problem() says why and there are no records.
  bool Readable() const { return readable_; }
  const QString& Problem() const { return problem_; }

  std::int64_t StartedMs() const { return startedMs_; }
  const std::vector<FileFingerprint>& Files() const { return files_; }
  // Whether it continues exactly the files read now.
  bool Continues(const std::vector<FileFingerprint>& filesNow) const;

  // The whole records, oldest first.
  const std::vector<JournalRecord>& Records() const { return records_; }
  // When the newest of them was made; invalid when there is none.
  QDateTime LastChangeTime() const;

  Tail TailState() const { return tail_; }
  // The bytes after the last whole record.
  std::size_t IgnoredBytes() const;
  // The magic, the header and the whole records: what a journal that goes on from this one
  // starts with.
  std::string_view WholePart() const;
  // The same up to the end of the first `records` whole records.
  std::string_view PartThrough(std::size_t records) const;

 private:
  std::unique_ptr<const std::string> bytes_;  // where it is, so the records' views stay valid
  bool readable_ = false;
  QString problem_;
  std::int64_t startedMs_ = 0;
  std::vector<FileFingerprint> files_;
  std::vector<JournalRecord> records_;
  std::vector<std::size_t> recordEnds_;  // where each record ends in the bytes
  Tail tail_ = Tail::kNone;
  std::size_t headerEnd_ = 0;
  std::size_t wholeEnd_ = 0;
};

}  // namespace larkspin
