#pragma once

#include <array>
#include <string>

#include "RoundRecord.h"

namespace larkspin {

// The ratings of a course, as the "Course Ratings" dialog shows them in a row: the course's name,
// its Course Rating ("71.3"), its Slope Rating ("128") and the stroke index of each hole (the
// "handicap" row of a printed scorecard, "1" to "18"), 21 texts kept as typed.
inline constexpr int kRatingColumns = 21;
inline constexpr int kRatingCourseCell = 0;
inline constexpr int kRatingCell = 1;
inline constexpr int kSlopeCell = 2;
constexpr int StrokeIndexCell(int hole) {
  return 2 + hole;
}

using RatingRecord = std::array<std::string, kRatingColumns>;

// The record with white space trimmed from both ends of every cell but the course's name, which
// is the course table's own.
RatingRecord TrimmedRating(RatingRecord record);

// Whether every cell but the name is empty: the course is not rated, and no record is kept.
bool HoldsNoRating(const RatingRecord& record);

}  // namespace larkspin
