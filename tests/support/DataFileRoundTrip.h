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

}  // namespace roundtrip

// What goes wrong; empty when nothing does.
inline std::string CheckRoundFileRoundTrip(std::string_view bytes) {
  using namespace roundtrip;
  const std::vector<PackedRound> first = ReadRounds(bytes);
  [[maybe_unused]] const bool more = HoldsMoreThanHeader(FindDataFileText(bytes).text);
  const std::string written = WriteRounds(first);
  if (!IsValidUtf8(written)) return "lks.dat written with text that is not UTF-8";
  const std::vector<PackedRound> second = ReadRounds(written);
  if (second.size() != first.size()) {
    return "lks.dat read back with " + std::to_string(second.size()) + " rounds instead of " +
           std::to_string(first.size());
  }
  for (std::size_t i = 0; i < first.size(); ++i) {
    for (int column = 0; column < kRoundColumns; ++column) {
      if (first[i].Cell(column) != second[i].Cell(column)) {
        return "lks.dat round " + std::to_string(i) + " column " +
               std::string(RoundColumnHeading(column)) + " read back as \"" +
               std::string(second[i].Cell(column)) + "\" instead of \"" +
               std::string(first[i].Cell(column)) + "\"";
      }
    }
  }
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

}  // namespace larkspin::testing
