#include "CourseFile.h"

#include "KeyValueLines.h"
#include "RoundFile.h"
#include "TextEncoding.h"

namespace larkspin {

namespace {

// The cell a key of courses.dat fills, or -1.
int CourseFileKeyCell(std::string_view key) {
  if (key == "COURSE") return kCourseNameCell;
  if (key == "DATE") return kCourseDateCell;
  // The pars are stored under the stroke keys of the round file.
  const int column = RoundFileKeyColumn(key);
  if (column >= ScoreColumn(1) && column <= ScoreColumn(kHoles)) {
    return ParCell(column - ScoreColumn(1) + 1);
  }
  return -1;
}

}  // namespace

CourseFileContents ParseCourseFile(std::string_view text) {
  CourseFileContents contents;
  CourseRecord& pending = contents.last;
  SkippedContent& skipped = contents.skipped;
  bool holdsValues = false;
  const auto finishCourse = [&] {
    if (!pending[kCourseNameCell].empty()) {
      contents.courses.push_back(pending);
    } else if (holdsValues) {
      ++skipped.records;
    }
  };
  std::string converted;
  ForEachKeyValueLine(text, [&](std::string_view key, std::string_view value) {
    const int cell = CourseFileKeyCell(key);
    if (cell < 0) return skipped.UnknownLine(key, value);
    const std::string_view decoded = DecodeFileValue(value, converted);
    if (cell == kCourseNameCell) {
      finishCourse();
      pending = CourseRecord{};
      holdsValues = false;
    } else if (!pending[cell].empty() && pending[cell] != decoded) {
      ++skipped.repeatedLines;  // the value before is lost
    }
    pending[cell] = decoded;
    holdsValues = holdsValues || !value.empty();
  });
  finishCourse();
  return contents;
}

std::string SerializeCourseFile(const CourseTable& table) {
  std::string out;
  if (table.RowCount() == 0) return out;
  out += kDataFileHeader;
  for (int row = table.RowCount() - 1; row >= 0; --row) {
    const CourseRecord& course = table.Row(row);
    if (row != table.RowCount() - 1) out += "\r\n";
    out += "\r\nCOURSE=";
    AppendFileValue(out, course[kCourseNameCell]);
    out += "\r\nDATE=";
    AppendFileValue(out, course[kCourseDateCell]);
    for (int hole = 1; hole <= kHoles; ++hole) {
      out += "\r\nS" + std::to_string(hole) + "=";
      AppendFileValue(out, course[ParCell(hole)]);
    }
  }
  out += "\r\n";
  return out;
}

}  // namespace larkspin
