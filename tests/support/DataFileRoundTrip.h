#pragma once

// The property every lks.dat and courses.dat reader and writer keeps, for the fuzzers and for
// the tests over the test data: whatever the bytes, reading them, writing the table and reading
// that again gives the same records, and writing those gives the very same bytes again.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "CourseFile.h"
#include "RoundFile.h"
#include "StorableText.h"
#include "TextEncoding.h"

namespace larkspin::testing {

namespace roundtrip {

inline std::vector<PackedRound> ReadRounds(std::string_view bytes) {
  return ParseRoundFile(FindDataFileText(bytes).text);
}

// The file's bytes for rounds in file order, as the window would save them after loading.
inline std::string WriteRounds(std::vector<PackedRound> rounds) {
  std::reverse(rounds.begin(), rounds.end());  // the file's last round goes to the top
  RoundTable table;
  table.InsertRowsAtTop(std::move(rounds));
  std::string bytes;
  WriteRoundFile(table, [&bytes](std::string_view piece) {
    bytes.append(piece);
    return true;
  });
  return bytes;
}

inline std::string WriteCourses(std::vector<CourseRecord> courses) {
  std::reverse(courses.begin(), courses.end());
  CourseTable table;
  table.InsertRowsAtTop(std::move(courses));
  return SerializeCourseFile(table);
}

// What the window's start makes of a file it reads `pieceSize` bytes at a time.
struct PieceRead {
  std::vector<PackedRound> rounds;
  SkippedContent skipped;
  bool beyondHeader = false;
  std::size_t controlZ = 0;
  std::size_t unreadBytes = 0;
  bool inOwnForm = false;  // as the window's close relies on it
};
inline PieceRead ReadRoundsInPieces(std::string_view bytes, std::size_t pieceSize) {
  PieceRead read;
  RoundFileReader reader(&read.skipped);
  std::size_t handed = 0;
  DataFileTextPieces text([&](std::string_view lines) {
    read.beyondHeader = read.beyondHeader || HoldsMoreThanHeader(lines);
    handed += lines.size();
    reader.Read(lines);
  });
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
    text.Add(bytes.substr(at, pieceSize));
  text.Finish();
  read.rounds = reader.Finish();
  read.inOwnForm = reader.InOwnForm() && handed == bytes.size();
  read.controlZ = text.ControlZ();
  read.unreadBytes = text.UnreadBytes();
  return read;
}

// The first cell in which `second` differs from `first`; empty when none does.
inline std::string OtherRounds(const std::vector<PackedRound>& first,
                               const std::vector<PackedRound>& second) {
  if (second.size() != first.size()) {
    return std::to_string(second.size()) + " rounds instead of " + std::to_string(first.size());
  }
  for (std::size_t i = 0; i < first.size(); ++i) {
    for (int column = 0; column < kRoundColumns; ++column) {
      if (first[i].Cell(column) != second[i].Cell(column)) {
        return "round " + std::to_string(i) + " column " + std::string(RoundColumnHeading(column)) +
               " as \"" + std::string(second[i].Cell(column)) + "\" instead of \"" +
               std::string(first[i].Cell(column)) + "\"";
      }
    }
  }
  return {};
}

}  // namespace roundtrip

// What goes wrong; empty when nothing does.
inline std::string CheckRoundFileRoundTrip(std::string_view bytes) {
  using namespace roundtrip;
  const DataFileText text = FindDataFileText(bytes);
  SkippedContent skipped;
  const std::vector<PackedRound> first = ParseRoundFile(text.text, &skipped);
  const bool more = HoldsMoreThanHeader(text.text);
  // Read a piece at a time, as the window reads it, the file gives the same.
  for (const std::size_t pieceSize : {1, 7, 64}) {
    const PieceRead read = ReadRoundsInPieces(bytes, pieceSize);
    const std::string in = " read in pieces of " + std::to_string(pieceSize) + " bytes";
    if (const std::string other = OtherRounds(first, read.rounds); !other.empty())
      return "lks.dat" + in + " gave " + other;
    if (read.skipped.records != skipped.records ||
        read.skipped.unknownLines != skipped.unknownLines ||
        read.skipped.repeatedLines != skipped.repeatedLines ||
        read.skipped.firstUnknownKey != skipped.firstUnknownKey) {
      return "lks.dat" + in + " passed over other lines";
    }
    if (read.beyondHeader != more) return "lks.dat" + in + " held other than the header";
    if (read.controlZ != text.controlZ || read.unreadBytes != text.unreadBytes)
      return "lks.dat" + in + " ended elsewhere";
    if (read.inOwnForm != (WriteRounds(read.rounds) == bytes))
      return "lks.dat" + in + " was taken for what writing it gives, or not taken for it, wrongly";
  }
  const std::string written = WriteRounds(first);
  if (!IsValidUtf8(written)) return "lks.dat written with text that is not UTF-8";
  const std::vector<PackedRound> second = ReadRounds(written);
  if (const std::string other = OtherRounds(first, second); !other.empty())
    return "lks.dat read back with " + other;
  if (WriteRounds(second) != written) return "lks.dat written differently the second time";
  return {};
}

inline std::string CheckCourseFileRoundTrip(std::string_view bytes) {
  using namespace roundtrip;
  const std::vector<CourseRecord> first = ParseCourseFile(FindDataFileText(bytes).text).courses;
  const std::string written = WriteCourses(first);
  if (!IsValidUtf8(written)) return "courses.dat written with text that is not UTF-8";
  const std::vector<CourseRecord> second = ParseCourseFile(FindDataFileText(written).text).courses;
  if (second != first) {
    return "courses.dat read back with other courses (" + std::to_string(second.size()) +
           " instead of " + std::to_string(first.size()) + ")";
  }
  if (WriteCourses(second) != written) return "courses.dat written differently the second time";
  return {};
}

// Cells as the user types them, each made storable as the form's commands make it, go into a
// round table (74 at a time) and a course table (20 at a time), skipping those whose course name
// is then empty as Add does; both tables, written and read again, give the same tables back, and
// their files read in full. The cells are `typed` split at each 0xFF byte.
inline std::string CheckTypedCellsRoundTrip(std::string_view typed) {
  using namespace roundtrip;
  std::vector<std::string> cells;
  for (std::size_t start = 0;;) {
    const std::size_t end = typed.find('\xFF', start);
    cells.push_back(StorableText(typed.substr(start, end - start)));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::vector<PackedRound> rounds;
  std::vector<CourseRecord> courses;
  for (std::size_t first = 0; first < cells.size(); first += kRoundColumns) {
    RoundRecord round;
    for (int column = 0; column < kRoundColumns && first + column < cells.size(); ++column)
      round[column] = cells[first + column];
    if (!round[kCourseColumn].empty()) rounds.emplace_back(round);
  }
  for (std::size_t first = 0; first < cells.size(); first += kCourseColumns) {
    CourseRecord course;
    for (int cell = 0; cell < kCourseColumns && first + cell < cells.size(); ++cell)
      course[cell] = cells[first + cell];
    if (!course[kCourseNameCell].empty()) courses.push_back(course);
  }

  SkippedContent skipped;
  const std::vector<PackedRound> readRounds =
      ParseRoundFile(FindDataFileText(WriteRounds(rounds)).text, &skipped);
  if (readRounds.size() != rounds.size()) return "lks.dat read back with other rounds";
  for (std::size_t i = 0; i < rounds.size(); ++i) {
    for (int column = 0; column < kRoundColumns; ++column) {
      if (rounds[i].Cell(column) != readRounds[i].Cell(column)) {
        return "typed cell \"" + std::string(rounds[i].Cell(column)) + "\" read back as \"" +
               std::string(readRounds[i].Cell(column)) + "\"";
      }
    }
  }
  const CourseFileContents readCourses =
      ParseCourseFile(FindDataFileText(WriteCourses(courses)).text);
  if (readCourses.courses != courses) return "courses.dat read back with other courses";
  if (skipped.Any() || readCourses.skipped.Any()) return "a file written from a table skipped";
  return {};
}

}  // namespace larkspin::testing
