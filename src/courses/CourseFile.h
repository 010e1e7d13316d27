#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CourseTable.h"
#include "SkippedContent.h"

namespace larkspin {

inline constexpr char kCourseFileName[] = "courses.dat";

struct CourseFileContents {
  std::vector<CourseRecord> courses;  // in the order the file holds them
  CourseRecord last;                  // the last record read, kept even when its name is empty
  SkippedContent skipped;             // what the reader passed over
};

// The courses of a courses.dat text (see FindDataFileText), each value decoded on its own (see
// DecodeFileValue). Each "COURSE=" line starts a fresh course; a course whose name is empty is
// left out.
CourseFileContents ParseCourseFile(std::string_view text);

// courses.dat bytes for the table, the bottom (oldest) row first. Empty table: no bytes at all.
std::string SerializeCourseFile(const CourseTable& table);

}  // namespace larkspin
