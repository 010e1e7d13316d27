#include "HandicapCourse.h"

#include "CellReading.h"
#include "CourseTable.h"
#include "RatingsTable.h"

namespace larkspin {

HandicapCourse LookUpHandicapCourse(std::string_view name, const CourseTable& courses,
                                    const RatingsTable& ratings) {
  HandicapCourse course;
  if (const int row = courses.FindFirst(name); row >= 0) {
    course.hasPars = true;
    for (int hole = 1; hole <= kHoles; ++hole) {
      const int par = ReadPar(courses.Row(row)[ParCell(hole)]);
      course.pars[hole - 1] = par;
      course.parTotal += par;
      course.hasPars = course.hasPars && par > 0;
    }
  }
  if (const int row = ratings.Find(name); row >= 0)
    course.rating = ReadCourseRating(ratings.Row(row));
  return course;
}

}  // namespace larkspin
