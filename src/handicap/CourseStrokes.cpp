#include "CourseStrokes.h"

#include "HandicapCourse.h"
#include "HandicapRules.h"
#include "PlayingHandicap.h"
#include "RatingsTable.h"

namespace larkspin {

namespace {

bool IsRated(const HandicapCourse& course) {
  return course.hasPars && course.rating.has_value();
}

}  // namespace

std::vector<std::string> RatedCourses(const RatingsTable& ratings, const CourseTable& courses) {
  std::vector<std::string> names;
  for (int row = 0; row < ratings.RowCount(); ++row) {
    const std::string& name = ratings.Row(row)[kRatingCourseCell];
    // Where a name has two records, the first counts.
    if (ratings.Find(name) == row && IsRated(LookUpHandicapCourse(name, courses, ratings))) {
      names.push_back(name);
    }
  }
  return names;
}

std::optional<CourseStrokes> CourseStrokesFor(std::string_view course, const CourseTable& courses,
                                              const RatingsTable& ratings,
                                              std::optional<int> indexTenths,
                                              int allowancePercent) {
  const HandicapCourse found = LookUpHandicapCourse(course, courses, ratings);
  if (!indexTenths || !IsRated(found)) return std::nullopt;
  const CourseRating& rating = *found.rating;
  CourseStrokes strokes;
  strokes.courseHandicap =
      CourseHandicap(*indexTenths, rating.slope, rating.ratingTenths, found.parTotal);
  strokes.playingHandicap = PlayingHandicap(*indexTenths, rating.slope, rating.ratingTenths,
                                            found.parTotal, allowancePercent);
  for (int hole = 0; hole < kHoles; ++hole)
    strokes.strokes[hole] = StrokesReceived(strokes.playingHandicap, rating.strokeIndex[hole]);
  return strokes;
}

}  // namespace larkspin
