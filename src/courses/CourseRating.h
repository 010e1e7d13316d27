#pragma once

#include <array>
#include <optional>
#include <string>

#include "RatingRecord.h"

namespace larkspin {

// A course's ratings as numbers.
struct CourseRating {
  int ratingTenths = 0;                   // Course Rating in tenths of a stroke: 713 for 71.3
  int slope = 0;                          // 55 to 155
  std::array<int, kHoles> strokeIndex{};  // by hole, each of 1 to 18 once
};

// The record's ratings when they are valid, nothing otherwise (the course is not rated):
// - the rating is one or two digits with an optional one-digit decimal part, 40.0 to 90.0;
// - the slope is digits, 55 to 155;
// - the stroke indexes are digits and hold each of 1 to 18 once.
// Texts are judged as they stand: " 71.3" is not a rating (see TrimmedRating).
std::optional<CourseRating> ReadCourseRating(const RatingRecord& record);

// What is wrong with a row of the "Course Ratings" dialog, for a box that shows it after the
// course's name ("Pine Links: ..."): the first fault found, in the order of the columns. Empty
// for a valid row and for one with no ratings at all (see HoldsNoRating).
std::string RatingProblem(const RatingRecord& record);

}  // namespace larkspin
