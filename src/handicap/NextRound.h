#pragma once

#include <QDate>
#include <optional>
#include <string_view>

namespace larkspin {

class CourseTable;
class RatingsTable;
class RoundTable;
struct HandicapRecord;

// How the Index moved with the last counted round: the Index now less the one in force before
// the day of that round, and the day that one was reached.
struct IndexChange {
  int changeTenths = 0;  // below 0: the Index went down
  int sinceDate = 0;     // YYYYMMDD
};

// The differential the next counted round pushes out of the most recent 20.
struct LeavingDifferential {
  int date = 0;  // YYYYMMDD
  int differentialTenths = 0;
};

struct IndexOutlook {
  std::optional<IndexChange> change;  // nothing before the Index had two values on two days
  std::optional<LeavingDifferential> leaving;  // nothing while the record holds fewer than 20
};

IndexOutlook IndexOutlookOf(const HandicapRecord& record);

// The highest adjusted gross scores on a course that would lower the Index (`lower`) or not raise
// it (`keep`), nothing where no score would or there is no Index. Each score is tried as a round
// played tomorrow, put into the rounds and worked out with the rest by ComputeHandicapRecord, so
// whatever the rules do to it (caps, exceptional scores) counts.
struct NextRoundTargets {
  std::optional<int> indexTenths;  // the Index now
  std::optional<int> lower;
  std::optional<int> keep;
};

NextRoundTargets NextRoundTargetsFor(std::string_view course, const RoundTable& rounds,
                                     const CourseTable& courses, const RatingsTable& ratings,
                                     QDate today);

}  // namespace larkspin
