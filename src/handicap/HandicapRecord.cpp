#include "HandicapRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <unordered_map>

#include "CellReading.h"
#include "HandicapCourse.h"
#include "HandicapRules.h"
#include "RoundTable.h"

namespace larkspin {

namespace {

constexpr int kFewestPlayedHoles = 14;
constexpr std::uint64_t kLast = 0xFFFFFFFF;

// A round that passed the tests, before the rules are applied in date order.
struct Candidate {
  int row = 0;
  int date = 0;
  const HandicapCourse* course = nullptr;
  std::string_view name;                       // the record's copy, once it counts
  std::array<std::uint8_t, kHoles> strokes{};  // 0: not played
  int score = 0;
};

std::int64_t JulianDay(int date) {
  return QDate(date / 10000, date / 100 % 100, date % 100).toJulianDay();
}

int AdjustedGross(const Candidate& round, std::optional<int> indexBefore) {
  const HandicapCourse& course = *round.course;
  const CourseRating& rating = *course.rating;
  std::optional<int> courseHandicap;
  if (indexBefore) {
    courseHandicap =
        CourseHandicap(*indexBefore, rating.slope, rating.ratingTenths, course.parTotal);
  }
  int adjusted = 0;
  for (int hole = 0; hole < kHoles; ++hole) {
    std::optional<int> received;
    if (courseHandicap) received = StrokesReceived(*courseHandicap, rating.strokeIndex[hole]);
    adjusted += AdjustedHoleScore(round.strokes[hole], course.pars[hole], received);
  }
  return adjusted;
}

// The lowest Index after the rounds of a stretch that only ever moves on: rounds join at its end
// and leave at its start. Keeps the rounds that may still be the lowest, their Indexes rising.
class LowestIndex {
 public:
  explicit LowestIndex(const std::vector<CountedRound>& counted) : counted_(counted) {}
  // The lowest Index after the rounds `first` to `last`.
  std::optional<int> Over(int first, int last) {
    for (; joined_ <= last; ++joined_) {
      const std::optional<int>& index = counted_[joined_].indexTenths;
      if (!index) continue;
      while (!kept_.empty() && *counted_[kept_.back()].indexTenths >= *index)
        kept_.pop_back();
      kept_.push_back(joined_);
    }
    while (!kept_.empty() && kept_.front() < first)
      kept_.pop_front();
    if (kept_.empty()) return std::nullopt;
    return counted_[kept_.front()].indexTenths;
  }

 private:
  const std::vector<CountedRound>& counted_;
  std::deque<int> kept_;
  int joined_ = 0;
};

}  // namespace

HandicapRecord ComputeHandicapRecord(const RoundTable& rounds, const CourseTable& courses,
                                     const RatingsTable& ratings, QDate today) {
  HandicapRecord record;
  const int todayDate =
      today.isValid() ? today.year() * 10000 + today.month() * 100 + today.day() : kNoDate;
  struct Known {
    HandicapCourse course;
    const std::string* kept = nullptr;  // the record's copy of the name, once a round counts
  };
  std::unordered_map<std::string_view, Known> known;
  std::vector<Candidate> candidates;
  candidates.reserve(static_cast<std::size_t>(rounds.RowCount()));
  for (int row = 0; row < rounds.RowCount(); ++row) {
    const RoundCells cells = rounds.Cells(row);
    Candidate round;
    round.row = row;
    round.name = cells[kCourseColumn];
    round.date = ReadDate(cells[kDateColumn]);
    std::string_view reason = kNoDateReason;
    Known* course = nullptr;
    if (round.date != kNoDate && round.date <= todayDate) {
      auto found = known.find(round.name);
      if (found == known.end()) {
        found = known.emplace(round.name, Known{LookUpHandicapCourse(round.name, courses, ratings)})
                    .first;
      }
      course = &found->second;
      round.course = &course->course;
      int played = 0;
      for (int hole = 1; hole <= kHoles; ++hole) {
        const int strokes = ReadStrokes(cells[ScoreColumn(hole)]);
        round.strokes[hole - 1] = static_cast<std::uint8_t>(strokes);
        round.score += strokes;
        played += strokes > 0 ? 1 : 0;
      }
      reason = !round.course->hasPars        ? kNoParsReason
               : !round.course->rating       ? kNoRatingReason
               : played < kFewestPlayedHoles ? kFewHolesReason
                                             : std::string_view();
    }
    if (!reason.empty()) {
      record.notCounted.push_back(
          {row, std::string(cells[kDateColumn]), std::string(round.name), reason});
      continue;
    }
    if (!course->kept) course->kept = &record.courseNames.emplace_back(round.name);
    round.name = *course->kept;
    candidates.push_back(round);
  }
  // Oldest first; on one date the round lower in the list first. The candidates stand in row
  // order, so one number holds the order: the date, then the candidate counted from the bottom.
  std::vector<std::uint64_t> order;
  order.reserve(candidates.size());
  for (std::size_t i = 0; i < candidates.size(); ++i)
    order.push_back(static_cast<std::uint64_t>(candidates[i].date) << 32 | (kLast - i));
  std::sort(order.begin(), order.end());
  // Gathered into that order at once: the walk below then reads them one after the other, where
  // reading each from its place in row order waits on the memory every time.
  std::vector<Candidate> inOrder;
  inOrder.reserve(candidates.size());
  for (const std::uint64_t key : order)
    inOrder.push_back(candidates[kLast - (key & kLast)]);
  candidates = {};

  const int count = static_cast<int>(inOrder.size());
  std::vector<CountedRound>& counted = record.counted;
  counted.reserve(inOrder.size());
  std::vector<int> differentials;  // as the rules first give them, before any reduction
  differentials.reserve(inOrder.size());
  LowestIndex lowest(counted);
  int firstInYear = 0;  // the first round dated on or after the day a year before this one
  std::array<int, kRecentDifferentials> recent{};
  std::vector<std::int64_t> days(inOrder.size());
  for (int i = 0; i < count; ++i) {
    const Candidate& round = inOrder[i];
    days[i] = JulianDay(round.date);
    const CourseRating& rating = *round.course->rating;
    const std::optional<int> indexBefore = i > 0 ? counted[i - 1].indexTenths : std::nullopt;

    CountedRound& done = counted.emplace_back();
    done.row = round.row;
    done.date = round.date;
    done.course = round.name;
    done.score = round.score;
    done.adjustedGross = AdjustedGross(round, indexBefore);
    done.ratingTenths = rating.ratingTenths;
    done.slope = rating.slope;
    differentials.push_back(
        ScoreDifferential(done.adjustedGross, rating.ratingTenths, rating.slope));

    const int inRecent = std::min(i + 1, kRecentDifferentials);
    if (indexBefore) {
      if (const int reduction = ExceptionalScoreReduction(*indexBefore, differentials[i])) {
        for (int j = i + 1 - inRecent; j <= i; ++j)
          counted[j].reductionTenths += reduction;
      }
    }
    for (int k = 0; k < inRecent; ++k) {
      const int j = i + 1 - inRecent + k;
      recent[k] = differentials[j] - counted[j].reductionTenths;
    }
    std::optional<int> index =
        IndexFromDifferentials(std::span<const int>(recent.data(), inRecent));
    if (index && i + 1 >= kFirstCappedRound) {
      // The Indexes after the rounds of the last 365 days, and the one in force on the first of
      // them: the one after the last round before it.
      while (days[firstInYear] < days[i] - kLowIndexDays)
        ++firstInYear;
      if (const auto low = lowest.Over(std::max(firstInYear - 1, 0), i - 1)) {
        index = CappedIndex(*index, *low);
      }
    }
    if (index) {
      index = std::min(*index, kHighestIndexTenths);
      record.indexSeries.push_back({round.date, *index});
    }
    done.indexTenths = index;
  }

  for (int i = 0; i < count; ++i)
    counted[i].differentialTenths = differentials[i] - counted[i].reductionTenths;
  if (count > 0) {
    record.indexTenths = counted.back().indexTenths;
    const int inRecent = std::min(count, kRecentDifferentials);
    std::vector<int> last;
    for (int j = count - inRecent; j < count; ++j)
      last.push_back(counted[j].differentialTenths);
    for (const int position : UsedDifferentials(last))
      counted[count - inRecent + position].used = true;
  }
  return record;
}

}  // namespace larkspin
