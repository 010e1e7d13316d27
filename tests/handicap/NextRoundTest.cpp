// What the next round must be: the scores the program names against every adjusted score from 1
// to 200 played tomorrow and worked out through the record; and the change and the leaving
// differential under the Index.

#include <gtest/gtest.h>

#include "CourseStrokes.h"
#include "NextRound.h"
#include "NextRoundText.h"
#include "support/Golf.h"

namespace larkspin::testing {
namespace {

const QDate kToday(2025, 6, 1);

// The Index after a round of adjusted gross score `score` on `course` tomorrow, by the test's own
// round: strokes from the last hole backwards up to net double bogey; nothing when the record does
// not count it as that score.
std::optional<int> IndexAfter(const Golf& golf, const std::string& course, int score) {
  const auto received =
      CourseStrokesFor(course, golf.courses, golf.ratings, golf.Record(kToday).indexTenths);
  std::array<int, kHoles> strokes;
  strokes.fill(1);
  int left = score - kHoles;
  for (int hole = kHoles - 1; hole >= 0 && left > 0; --hole) {
    const int more = std::min(left, 4 + 2 + received->strokes[hole] - 1);
    strokes[hole] += more;
    left -= more;
  }
  if (left != 0 || score < kHoles) return std::nullopt;
  RoundTable rounds;
  for (int row = 0; row < golf.rounds.RowCount(); ++row)
    rounds.InsertRow(rounds.RowCount(), golf.rounds.Row(row));
  RoundRecord round = MakeRound(course, kToday.addDays(1).toString(Qt::ISODate).toStdString());
  for (int hole = 1; hole <= kHoles; ++hole)
    round[ScoreColumn(hole)] = std::to_string(strokes[hole - 1]);
  rounds.InsertRow(rounds.RowCount(), round);
  const HandicapRecord record =
      ComputeHandicapRecord(rounds, golf.courses, golf.ratings, kToday.addDays(1));
  const CountedRound& played =
      *std::find_if(record.counted.begin(), record.counted.end(),
                    [&](const CountedRound& r) { return r.row == rounds.RowCount() - 1; });
  if (played.adjustedGross != score) return std::nullopt;
  return record.indexTenths;
}

struct Stretch {
  int rounds;
  int over;  // strokes over par on "Even"
};

struct Case {
  const char* golfer;
  std::vector<Stretch> stretches;  // one round a week, the last a week before today
  std::string course;
  bool lowerPossible = true;
};

TEST(NextRound, TargetsAreTheHighestScoresThatLowerOrKeep_asEveryScoreThroughTheRecordSays) {
  const Case cases[] = {
      {"three rounds", {{3, 10}}, "Even"},
      {"eight rounds, on a harder course", {{8, 14}}, "Hard"},
      {"twenty rounds, the next replacing the oldest", {{10, 6}, {10, 16}}, "Even"},
      {"a good stretch a year ago then a bad one: capped", {{20, 2}, {12, 20}}, "Even"},
      {"a plus handicap", {{20, -4}}, "Even"},
      {"a high Index, where a low score is exceptional", {{15, 40}}, "Hard"},
      {"an Index held at 54.0: nothing lowers it", {{20, 40}}, "Steep", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golfer);
    Golf golf;
    golf.AddCourse("Even", "72.0", "113");
    golf.AddCourse("Hard", "74.6", "141");
    golf.AddCourse("Steep", "70.0", "55");
    int total = 0;
    for (const Stretch& stretch : c.stretches)
      total += stretch.rounds;
    int week = total;
    for (const Stretch& stretch : c.stretches) {
      for (int i = 0; i < stretch.rounds; ++i, --week)
        golf.Play(stretch.over, kToday.addDays(-7 * week), c.course);
    }
    const std::optional<int> now = golf.Record(kToday).indexTenths;
    ASSERT_TRUE(now);
    std::optional<int> lower, keep;
    int reached = 0;
    for (int score = 1; score <= 200; ++score) {
      const std::optional<int> index = IndexAfter(golf, c.course, score);
      if (!index) continue;
      ++reached;
      if (*index < *now) lower = score;
      if (*index <= *now) keep = score;
    }
    ASSERT_GT(reached, 60);
    const NextRoundTargets targets =
        NextRoundTargetsFor(c.course, golf.rounds, golf.courses, golf.ratings, kToday);
    EXPECT_EQ(targets.indexTenths, now);
    EXPECT_EQ(targets.lower, lower);
    EXPECT_EQ(targets.keep, keep);
    EXPECT_EQ(lower.has_value(), c.lowerPossible);
  }
}

TEST(NextRound, NoTargets_withoutAnIndexOrOnACourseNotRated) {
  Golf golf;
  golf.AddCourse("Even", "72.0", "113");
  golf.Play(10, kToday.addDays(-7), "Even");
  golf.Play(10, kToday.addDays(-14), "Even");
  NextRoundTargets targets =
      NextRoundTargetsFor("Even", golf.rounds, golf.courses, golf.ratings, kToday);
  EXPECT_FALSE(targets.indexTenths || targets.lower || targets.keep);
  golf.Play(10, kToday.addDays(-21), "Even");
  targets = NextRoundTargetsFor("Nowhere", golf.rounds, golf.courses, golf.ratings, kToday);
  EXPECT_TRUE(targets.indexTenths);
  EXPECT_FALSE(targets.lower || targets.keep);
}

TEST(NextRound, Outlook_changeSinceTheDayBeforeAndTheDifferentialThatLeaves) {
  struct Played {
    int daysAgo;
    int over;
  };
  struct OutlookCase {
    const char* what;
    std::vector<Played> rounds;  // oldest first
    std::optional<IndexChange> change;
    std::optional<LeavingDifferential> leaving;
  };
  std::vector<Played> twenty;
  for (int i = 0; i < 20; ++i)
    twenty.push_back({200 - i, 10 + i % 3});  // differentials 10.0, 11.0, 12.0, 10.0 …
  std::vector<Played> twentyAndTwoOnADay = twenty;
  twentyAndTwoOnADay.push_back({3, 4});
  twentyAndTwoOnADay.push_back({3, 5});
  std::vector<Played> eight;
  for (int i = 0; i < 7; ++i)
    eight.push_back({80 - 10 * i, 10});
  eight.push_back({5, 12});
  const auto day = [](int daysAgo) {
    const QDate date = kToday.addDays(-daysAgo);
    return date.year() * 10000 + date.month() * 100 + date.day();
  };
  const OutlookCase cases[] = {
      {"two rounds: no Index", {{20, 10}, {10, 10}}, std::nullopt, std::nullopt},
      {"three: the first Index, none before it",
       {{30, 10}, {20, 10}, {10, 10}},
       std::nullopt,
       std::nullopt},
      // The lowest of 3 less 2.0 (8.0), then the lowest of 4 less 1.0 (6.0).
      {"four: down",
       {{30, 10}, {20, 10}, {10, 12}, {5, 7}},
       IndexChange{-20, day(10)},
       std::nullopt},
      // The mean of the lowest 2 of 7, then of 8: 10.0 both.
      {"eight: unchanged", eight, IndexChange{0, day(20)}, std::nullopt},
      // Seven 10.0 of 19, then seven 10.0 and an 11.0 of 20: up 0.1; the first leaves next.
      {"twenty: up", twenty, IndexChange{1, day(182)}, LeavingDifferential{day(200), 100}},
      // 4.0 and 5.0 on one day, with six 10.0 of the 20: 8.6, from the 10.1 of the day before.
      {"two on the last day", twentyAndTwoOnADay, IndexChange{-15, day(181)},
       LeavingDifferential{day(198), 120}},
  };
  for (const OutlookCase& c : cases) {
    SCOPED_TRACE(c.what);
    Golf golf;
    golf.AddCourse("Even", "72.0", "113");
    for (const Played& round : c.rounds)
      golf.Play(round.over, kToday.addDays(-round.daysAgo), "Even");
    const IndexOutlook outlook = IndexOutlookOf(golf.Record(kToday));
    EXPECT_EQ(outlook.change.has_value(), c.change.has_value());
    if (outlook.change && c.change) {
      EXPECT_EQ(outlook.change->changeTenths, c.change->changeTenths);
      EXPECT_EQ(outlook.change->sinceDate, c.change->sinceDate);
    }
    EXPECT_EQ(outlook.leaving.has_value(), c.leaving.has_value());
    if (outlook.leaving && c.leaving) {
      EXPECT_EQ(outlook.leaving->date, c.leaving->date);
      EXPECT_EQ(outlook.leaving->differentialTenths, c.leaving->differentialTenths);
    }
  }
}

TEST(NextRound, Texts_asTheWindowShowsThem) {
  EXPECT_EQ(IndexChangeText(IndexChange{-3, 20261012}), "\u25BC 0.3 since 2026-10-12");
  EXPECT_EQ(IndexChangeText(IndexChange{12, 20260105}), "\u25B2 1.2 since 2026-01-05");
  EXPECT_EQ(IndexChangeText(IndexChange{0, 20260105}), "unchanged");
  EXPECT_EQ(IndexChangeText(std::nullopt), "");
  EXPECT_EQ(LeavingText(LeavingDifferential{20250104, -5}),
            "Next to leave the 20: -0.5 of 2025-01-04");
  EXPECT_EQ(LowerText(88), "To lower your Index: 88 or better");
  EXPECT_EQ(LowerText(std::nullopt), "To lower your Index: \u2014");
  EXPECT_EQ(KeepText(90), "To keep it: 90 or better");
  EXPECT_EQ(KeepText(std::nullopt), "To keep it: \u2014");
}

}  // namespace
}  // namespace larkspin::testing
