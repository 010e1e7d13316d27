#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "CourseRating.h"

namespace larkspin {

class CourseTable;
class RatingsTable;

// What the handicap rules need of a course: its pars and its ratings.
struct HandicapCourse {
  bool hasPars = false;  // all 18, from the first course row from the top with the name
  std::array<int, kHoles> pars{};
  int parTotal = 0;
  std::optional<CourseRating> rating;  // nothing: not rated, or its ratings are not valid
};

HandicapCourse LookUpHandicapCourse(std::string_view name, const CourseTable& courses,
                                    const RatingsTable& ratings);

}  // namespace larkspin
