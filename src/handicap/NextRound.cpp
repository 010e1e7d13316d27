#include "NextRound.h"

#include <algorithm>
#include <array>
#include <vector>

#include "CourseStrokes.h"
#include "HandicapCourse.h"
#include "HandicapRecord.h"
#include "HandicapRules.h"
#include "RoundTable.h"

namespace larkspin {

namespace {

// The most a hole may count under net double bogey, as low as any of the rules makes it: a round
// kept within it counts stroke for stroke.
constexpr int kMostOverPar = 5;

// The rounds as they are, with one more at the top for the round to be tried.
class TrialRounds {
 public:
  TrialRounds(const RoundTable& rounds, std::string_view course, QDate day) {
    std::vector<PackedRound> copies;
    copies.reserve(static_cast<std::size_t>(rounds.RowCount()));
    for (int row = 0; row < rounds.RowCount(); ++row)
      copies.push_back(rounds.StoredRow(row));
    table_.InsertRowsAtTop(std::move(copies));
    trial_[kCourseColumn] = std::string(course);
    trial_[kDateColumn] = day.toString(Qt::ISODate).toStdString();
    table_.InsertRow(0, trial_);
  }
  void Play(const std::array<int, kHoles>& strokes) {
    for (int hole = 1; hole <= kHoles; ++hole)
      trial_[ScoreColumn(hole)] = std::to_string(strokes[hole - 1]);
    table_.SetRow(0, trial_);
  }
  const RoundTable& Table() const { return table_; }

 private:
  RoundTable table_;
  RoundRecord trial_{};
};

}  // namespace

IndexOutlook IndexOutlookOf(const HandicapRecord& record) {
  IndexOutlook outlook;
  const auto& counted = record.counted;
  if (record.indexTenths && !counted.empty()) {
    // The Index in force before the last round's day: after the last round of an earlier day.
    const int lastDay = counted.back().date;
    for (auto round = counted.rbegin(); round != counted.rend(); ++round) {
      if (round->date >= lastDay) continue;
      if (round->indexTenths) {
        outlook.change = IndexChange{*record.indexTenths - *round->indexTenths, round->date};
      }
      break;
    }
  }
  if (counted.size() >= static_cast<std::size_t>(kRecentDifferentials)) {
    const CountedRound& oldest = counted[counted.size() - kRecentDifferentials];
    outlook.leaving = LeavingDifferential{oldest.date, oldest.differentialTenths};
  }
  return outlook;
}

NextRoundTargets NextRoundTargetsFor(std::string_view course, const RoundTable& rounds,
                                     const CourseTable& courses, const RatingsTable& ratings,
                                     QDate today) {
  NextRoundTargets targets;
  targets.indexTenths = ComputeHandicapRecord(rounds, courses, ratings, today).indexTenths;
  const std::optional<CourseStrokes> received =
      CourseStrokesFor(course, courses, ratings, targets.indexTenths);
  if (!received) return targets;
  const HandicapCourse found = LookUpHandicapCourse(course, courses, ratings);

  // Each hole's most: a score spread over the holes within them counts as it stands.
  std::array<int, kHoles> most{};
  int highest = 0;
  for (int hole = 0; hole < kHoles; ++hole) {
    most[hole] =
        std::max(1, found.pars[hole] + std::min(2 + received->strokes[hole], kMostOverPar));
    highest += most[hole];
  }
  const QDate tomorrow = today.addDays(1);
  TrialRounds trial(rounds, course, tomorrow);
  // The Index after a round of `score` tomorrow; nothing when the record does not count it so.
  const auto indexAfter = [&](int score) -> std::optional<int> {
    std::array<int, kHoles> strokes;
    strokes.fill(1);
    int left = score - kHoles;
    for (int hole = 0; left > 0; hole = (hole + 1) % kHoles) {
      if (strokes[hole] < most[hole]) {
        ++strokes[hole];
        --left;
      }
    }
    trial.Play(strokes);
    const HandicapRecord record = ComputeHandicapRecord(trial.Table(), courses, ratings, tomorrow);
    const auto played = std::find_if(record.counted.begin(), record.counted.end(),
                                     [](const CountedRound& round) { return round.row == 0; });
    if (played == record.counted.end() || played->adjustedGross != score) return std::nullopt;
    return record.indexTenths;
  };
  // A higher score never gives a lower Index: the highest that does well enough lies where the
  // answer turns, found by halving.
  const auto highestWhere = [&](auto wellEnough) -> std::optional<int> {
    const auto holds = [&](int score) {
      const std::optional<int> index = indexAfter(score);
      return index && wellEnough(*index);
    };
    int low = kHoles;
    if (!holds(low)) return std::nullopt;
    int high = highest;
    if (holds(high)) return high;
    while (high - low > 1) {  // holds(low), not holds(high)
      const int middle = low + (high - low) / 2;
      (holds(middle) ? low : high) = middle;
    }
    return low;
  };
  const int now = *targets.indexTenths;
  targets.lower = highestWhere([now](int index) { return index < now; });
  targets.keep = highestWhere([now](int index) { return index <= now; });
  return targets;
}

}  // namespace larkspin
