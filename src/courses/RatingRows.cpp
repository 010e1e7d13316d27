#include "RatingRows.h"

#include <QString>
#include <algorithm>
#include <set>

#include "CourseNameOrder.h"
#include "CourseRating.h"
#include "CourseTable.h"
#include "RatingsTable.h"
#include "Sentence.h"

namespace larkspin {

std::vector<RatingRecord> RatingRows(const CourseTable& courses, const RatingsTable& ratings) {
  // The selector lists names as they were added, the oldest row first, names that compare equal
  // in that order.
  std::set<std::string, std::less<>> seen;
  std::vector<RatingRecord> rows;
  for (int row = courses.RowCount() - 1; row >= 0; --row) {
    const std::string& name = courses.Row(row)[kCourseNameCell];
    if (!seen.insert(name).second) continue;
    const int rated = ratings.Find(name);
    rows.push_back(rated >= 0 ? ratings.Row(rated) : RatingRecord{name});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const RatingRecord& a, const RatingRecord& b) {
    return IsBeforeInCourseList(QString::fromStdString(a[kRatingCourseCell]),
                                QString::fromStdString(b[kRatingCourseCell]));
  });
  return rows;
}

std::optional<std::string> RatingsRefusal(const std::vector<RatingRecord>& typed) {
  // Ten are read; hundreds would only hide the box's button.
  constexpr int kNamed = 10;
  std::string text;
  int faulty = 0;
  for (const RatingRecord& row : typed) {
    const std::string problem = RatingProblem(TrimmedRating(row));
    if (problem.empty()) continue;
    if (++faulty > kNamed) continue;
    if (!text.empty()) text += "\r\n";
    text += EndSentence(row[kRatingCourseCell] + ": " + problem);
  }
  if (faulty == 0) return std::nullopt;
  if (faulty > kNamed) text += "\r\nand " + std::to_string(faulty - kNamed) + " more.";
  return text;
}

}  // namespace larkspin
