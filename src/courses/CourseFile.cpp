#include "CourseFile.h"

#include "RecordFile.h"

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

constexpr std::array<std::string_view, kCourseColumns> kCourseFileKeys = {
    "COURSE", "DATE", "S1",  "S2",  "S3",  "S4",  "S5",  "S6",  "S7",  "S8",
    "S9",     "S10",  "S11", "S12", "S13", "S14", "S15", "S16", "S17", "S18"};

}  // namespace

CourseFileContents ParseCourseFile(std::string_view text) {
  RecordFileContents<kCourseColumns> read =
      ParseRecordFile<kCourseColumns>(text, CourseFileKeyCell);
  return CourseFileContents{std::move(read.records), std::move(read.last), read.skipped};
}

std::string SerializeCourseFile(const CourseTable& table) {
  // The bottom (oldest) row first, so that loading, which puts each course on top, keeps the order.
  const int rows = table.RowCount();
  return SerializeRecordFile<kCourseColumns>(
      rows, [&](int i) -> const CourseRecord& { return table.Row(rows - 1 - i); }, kCourseFileKeys);
}

}  // namespace larkspin
