#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RoundRecord.h"

namespace larkspin {

class CourseTable;
class RatingsTable;

// The courses a golfer can be given a course handicap for: those of the ratings table with valid
// ratings and 18 pars in the course table, in the ratings table's order (the course selector's).
std::vector<std::string> RatedCourses(const RatingsTable& ratings, const CourseTable& courses);

// What the golfer receives on a course at an Index.
struct CourseStrokes {
  int courseHandicap = 0;
  int playingHandicap = 0;            // the course handicap at the format's allowance
  std::array<int, kHoles> strokes{};  // by hole, from the playing handicap; below 0 on a plus
                                      // handicap's holes
};

// The course handicap, the playing handicap at `allowancePercent` and the strokes it gives on
// each hole of `course` at the Index; nothing without an Index or when the course is not among
// RatedCourses().
std::optional<CourseStrokes> CourseStrokesFor(std::string_view course, const CourseTable& courses,
                                              const RatingsTable& ratings,
                                              std::optional<int> indexTenths,
                                              int allowancePercent = 100);

}  // namespace larkspin
