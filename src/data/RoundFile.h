#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "DiskFile.h"
#include "PackedRound.h"
#include "RoundTable.h"
#include "SkippedContent.h"

namespace larkspin {

inline constexpr char kRoundFileName[] = "lks.dat";
inline constexpr char kDataFileHeader[] = "CREATOR=LARKSP 1.0";

// The column a key of lks.dat fills, or -1 when the key is not one of the file's own
// (keys are exact and case-sensitive: "S5" is a key, "s5" and "S05" are not).
int RoundFileKeyColumn(std::string_view key);

// The rounds of an lks.dat text (see FindDataFileText) in the order the file holds them, each
// value decoded on its own (see DecodeFileValue). Each "COURSE=" line starts a fresh round; a
// round whose course name is empty is left out. What the reader passes over is counted in
// `skipped`.
std::vector<PackedRound> ParseRoundFile(std::string_view text, SkippedContent* skipped = nullptr);

// ParseRoundFile for a text that comes a piece at a time, each piece whole lines (see
// DataFileTextPieces): the same rounds and the same count of what was passed over, without the
// whole text in memory.
class RoundFileReader {
 public:
  explicit RoundFileReader(SkippedContent* skipped = nullptr);
  RoundFileReader(const RoundFileReader&) = delete;
  RoundFileReader& operator=(const RoundFileReader&) = delete;

  // The next lines of the text; a piece that ends without a line feed ends the text.
  void Read(std::string_view lines);
  // The rounds read, in the order the file holds them.
  std::vector<PackedRound> Finish();
  // Whether the text, once finished, was byte for byte what WriteRoundFile writes for the rounds
  // read: then a table unchanged since needs no writing.
  // No text at all is the form of no rounds.
  bool InOwnForm() const { return form_ == Form::kRecordEnd || form_ == Form::kHeader; }

 private:
  // Where the text stands in the form WriteRoundFile gives it: before the header, before a
  // record's first line, within its lines, after its last; or out of that form for good.
  enum class Form { kHeader, kRecordStart, kRecordLines, kRecordEnd, kOther };
  // Follows the form over a line from `line` to `rawEnd` (its line feed, or `end` without one),
  // `trimmedEnd` where its trailing spaces begin; `keyIndex` is its key's place in a record as
  // written, -1 for any other line.
  void FollowForm(const char* line, const char* trimmedEnd, const char* rawEnd, const char* end,
                  int keyIndex, bool valueEmpty);

  // Reads on from `p` while the lines are a record's next keys in the program's own form, and
  // gives where it stopped.
  const char* ReadOwnLines(const char* p, const char* end);
  void ReadValue(int column, std::string_view value, bool utf8);
  void FinishRound();

  SkippedContent ignored_;
  SkippedContent& skipped_;
  std::vector<PackedRound> rounds_;
  RoundCells cells_{};
  // Values that do not point into the piece being read: those converted from Windows-1252, and
  // those of a round that goes on in the next piece.
  std::array<std::string, kRoundColumns> owned_;
  std::string scratch_;
  bool holdsValues_ = false;
  int nextKey_ = 0;  // the key that most likely comes next, in the order a record is written
  Form form_ = Form::kHeader;
};

// Whether a data file's text holds anything but empty lines and the "CREATOR" header: a text that
// does, and yet gives no record, was not understood.
bool HoldsMoreThanHeader(std::string_view text);

// Hands lks.dat bytes for the table to `sink`, a record at a time, the bottom row's record first
// so that reading the file back (each round going to the top) gives the table's order again.
// Empty table: no bytes at all. False when the sink fails.
bool WriteRoundFile(const RoundTable& table, const ByteSink& sink);

// Appends a cell text as a file value. Line feeds and control-Z would end the value or the whole
// file when read back, so they are written as spaces.
void AppendFileValue(std::string& out, std::string_view value);

}  // namespace larkspin
