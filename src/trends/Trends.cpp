#include "Trends.h"

#include <algorithm>

#include "CourseTable.h"
#include "RoundTable.h"
#include "TrendsCharts.h"
#include "TrendsSummary.h"
#include "TrendsTally.h"

namespace larkspin {

Trends ComputeTrends(const RoundTable& rounds, const CourseTable& courses,
                     const TrendsChoice& choice, QDate today) {
  TrendsTally tally = TallyRounds(rounds, courses, ChosenRows(rounds, choice, today));
  // Date order; on the same day, the round lower in the table first.
  std::sort(tally.fullRounds.begin(), tally.fullRounds.end(),
            [](const FullRound& a, const FullRound& b) {
              return a.date != b.date ? a.date < b.date : a.row > b.row;
            });
  Trends trends;
  trends.summary = SummaryRows(tally, rounds);
  std::optional<HolePars> coursePars;
  if (choice.course) coursePars = CoursePars(courses, *choice.course);
  trends.charts = TrendsCharts(tally, coursePars);
  return trends;
}

}  // namespace larkspin
