#include "HandicapRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <unordered_map>

#include "CellReading.h"
#include "HandicapCourse.h"
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

// Of two rounds of one day, the one that counts as played first: the course's name as bytes, then
// the strokes hole by hole, a hole not played (0) before any number.
bool PlayedFirst(const Candidate& a, const Candidate& b) {
  if (const int names = a.name.compare(b.name); names != 0) return names < 0;
  return a.strokes < b.strokes;
}

// The lowest of the Indexes at the end of a stretch of scoring days that only ever moves on: days
// join at its end and leave at its start. Keeps the days whose Index may still be the lowest,
// their Indexes rising.
class LowestIndex {
 public:
  // `dayEnds`: the last round of each scoring day, in `counted`.
  LowestIndex(const std::vector<CountedRound>& counted, const std::vector<int>& dayEnds)
      : counted_(counted), dayEnds_(dayEnds) {}
  // The lowest Index at the end of the days `first` to `last` (positions in `dayEnds`).
  std::optional<int> Over(int first, int last) {
    for (; joined_ <= last; ++joined_) {
      const std::optional<int>& index = IndexAt(joined_);
      if (!index) continue;
      while (!kept_.empty() && *IndexAt(kept_.back()) >= *index)
        kept_.pop_back();
      kept_.push_back(joined_);
    }
    while (!kept_.empty() && kept_.front() < first)
      kept_.pop_front();
    if (kept_.empty()) return std::nullopt;
    return IndexAt(kept_.front());
  }

 private:
  const std::optional<int>& IndexAt(int day) const {
    return counted_[static_cast<std::size_t>(dayEnds_[static_cast<std::size_t>(day)])].indexTenths;
  }

  const std::vector<CountedRound>& counted_;
  const std::vector<int>& dayEnds_;
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
  // Oldest first: one number holds the date and the candidate, sorted at once.
  std::vector<std::uint64_t> order;
  order.reserve(candidates.size());
  for (std::size_t i = 0; i < candidates.size(); ++i)
    order.push_back(static_cast<std::uint64_t>(candidates[i].date) << 32 | i);
  std::sort(order.begin(), order.end());
  // Gathered into that order at once: the walk below then reads them one after the other, where
  // reading each from its place in row order waits on the memory every time.
  std::vector<Candidate> inOrder;
  inOrder.reserve(candidates.size());
  for (const std::uint64_t key : order)
    inOrder.push_back(candidates[key & kLast]);
  candidates = {};
  // Rounds of one day by what they hold.
  for (auto day = inOrder.begin(); day != inOrder.end();) {
    const auto next = std::find_if(
        day + 1, inOrder.end(), [date = day->date](const Candidate& c) { return c.date != date; });
    if (next - day > 1) std::sort(day, next, PlayedFirst);
    day = next;
  }

  const int count = static_cast<int>(inOrder.size());
  std::vector<CountedRound>& counted = record.counted;
  counted.reserve(inOrder.size());
  std::vector<int> differentials;  // as the rules first give them, before any reduction
  differentials.reserve(inOrder.size());
  std::vector<int> dayEnds;  // the last round of each day before the present one
  std::vector<std::int64_t> dayEndDays;
  LowestIndex lowest(counted, dayEnds);
  int firstInYear = 0;  // in dayEnds: the first day on or after the day a year before this one
  std::optional<int> inForce;  // the Index when the present day began
  std::optional<int> low;      // the Low Index of the present day
  std::array<int, kRecentDifferentials> recent{};
  for (int i = 0; i < count; ++i) {
    const Candidate& round = inOrder[i];
    if (i == 0 || round.date != inOrder[i - 1].date) {
      // A new day: the one before it ended with the Index in force now.
      if (i > 0) {
        dayEnds.push_back(i - 1);
        dayEndDays.push_back(JulianDay(inOrder[i - 1].date));
        inForce = counted[i - 1].indexTenths;
        if (inForce) record.indexSeries.push_back({inOrder[i - 1].date, *inForce});
      }
      // The Indexes at the end of the last 365 days, and the one in force on the first of them:
      // the one at the end of the last day before it.
      const std::int64_t today = JulianDay(round.date);
      const int days = static_cast<int>(dayEnds.size());
      while (firstInYear < days && dayEndDays[firstInYear] < today - kLowIndexDays)
        ++firstInYear;
      low = days > 0 ? lowest.Over(std::max(firstInYear - 1, 0), days - 1) : std::nullopt;
    }
    const CourseRating& rating = *round.course->rating;

    CountedRound& done = counted.emplace_back();
    done.row = round.row;
    done.date = round.date;
    done.course = round.name;
    done.score = round.score;
    done.adjustedGross = AdjustedGross(round, inForce);
    done.ratingTenths = rating.ratingTenths;
    done.slope = rating.slope;
    differentials.push_back(
        ScoreDifferential(done.adjustedGross, rating.ratingTenths, rating.slope));

    const int inRecent = std::min(i + 1, kRecentDifferentials);
    if (inForce) {
      if (const int reduction = ExceptionalScoreReduction(*inForce, differentials[i])) {
        done.exceptionalTenths = reduction;
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
    if (index) {
      const int uncapped = std::min(*index, kHighestIndexTenths);
      if (low && i + 1 >= kFirstCappedRound) {
        const CappedIndex capped = CapIndex(*index, *low);
        done.lowIndexTenths = low;
        index = std::min(capped.indexTenths, kHighestIndexTenths);
        if (*index < uncapped) {
          done.cap = capped.cap;
          done.uncappedTenths = uncapped;
        }
      } else {
        index = uncapped;
      }
    }
    done.indexTenths = index;
  }
  if (count > 0 && counted.back().indexTenths)
    record.indexSeries.push_back({counted.back().date, *counted.back().indexTenths});

  for (int i = 0; i < count; ++i)
    counted[i].differentialTenths = differentials[i] - counted[i].reductionTenths;
  if (count > 0) {
    record.indexTenths = counted.back().indexTenths;
    record.lowIndexTenths = counted.back().lowIndexTenths;
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
