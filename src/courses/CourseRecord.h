#pragma once

#include <array>
#include <string>

#include "RoundRecord.h"

namespace larkspin {

// A course: name, date and the par of each hole, as 20 texts ("Course", "Date", "1".."18").
inline constexpr int kCourseColumns = 20;
inline constexpr int kCourseNameCell = 0;
inline constexpr int kCourseDateCell = 1;
constexpr int ParCell(int hole) {
  return 1 + hole;
}

using CourseRecord = std::array<std::string, kCourseColumns>;

}  // namespace larkspin
