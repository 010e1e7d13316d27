// The scoring record over whole tables: which rounds count and in what order, exceptional scores,
// the Low Index of the last 365 days, the 54.0 limit, the course handicap chooser, and a golfer of
// our own making whose record a separate script worked out (tools/handicap_record.py).

#include <gtest/gtest.h>

#include <algorithm>

#include "CourseFile.h"
#include "CourseStrokes.h"
#include "HandicapCsv.h"
#include "HandicapRecord.h"
#include "HandicapText.h"
#include "RatingsFile.h"
#include "RoundFile.h"
#include "support/Rounds.h"

namespace larkspin::testing {
namespace {

const QDate kToday(2025, 6, 1);

struct Golf {
  RoundTable rounds;
  CourseTable courses;
  RatingsTable ratings;

  // Par 4 on every hole, the stroke index the hole's number, slope 113: a differential is the
  // adjusted gross score less the rating.
  Golf() {
    AddCourse("Even", "72.0");
    AddCourse("Tenth", "71.9");
  }
  void AddCourse(const std::string& name, const std::string& rating, const char* firstPar = "4") {
    CourseRecord course{name};
    RatingRecord rated{name, rating, "113"};
    for (int hole = 1; hole <= kHoles; ++hole) {
      course[ParCell(hole)] = hole == 1 ? firstPar : "4";
      rated[StrokeIndexCell(hole)] = std::to_string(hole);
    }
    courses.InsertAtTop(course);
    if (!rating.empty()) ratings.Insert(rated);
  }
  // A round `over` strokes over par, the extra strokes going to the holes of lowest stroke index
  // first, as Add Score puts it: on top of the list.
  void Play(int over, const QDate& day, const std::string& course = "Even") {
    RoundRecord round = MakeRound(course, day.toString(Qt::ISODate).toStdString());
    std::array<int, kHoles> strokes;
    strokes.fill(4);
    for (int i = 0; i < std::abs(over); ++i)
      strokes[i % kHoles] += over > 0 ? 1 : -1;
    for (int hole = 1; hole <= kHoles; ++hole)
      round[ScoreColumn(hole)] = std::to_string(strokes[hole - 1]);
    rounds.InsertRow(0, round);
  }
  HandicapRecord Record() const { return ComputeHandicapRecord(rounds, courses, ratings, kToday); }
};

TEST(HandicapRecord, RoundsNotCounted_sayTheFirstReasonThatApplies) {
  struct Case {
    std::string course, date;
    int holes;
    std::string_view reason;  // empty: counted
  };
  const Case cases[] = {
      {"Even", "", 18, kNoDateReason},
      {"Even", "2024-02-30", 18, kNoDateReason},
      {"Even", "2024-6-01", 18, kNoDateReason},
      {"Even", "2025-06-02", 18, kNoDateReason},  // after today
      {"Nowhere", "", 9, kNoDateReason},
      {"Nowhere", "2025-06-01", 9, kNoParsReason},
      {"Sevens", "2025-01-01", 9, kNoParsReason},  // a par of 7
      {"Unrated", "2025-01-01", 9, kNoRatingReason},
      {"Badly rated", "2025-01-01", 18, kNoRatingReason},
      {"Even", "2025-01-01", 13, kFewHolesReason},
      {"Even", "2025-06-01", 14, {}},
  };
  for (const Case& c : cases) {
    Golf golf;
    golf.AddCourse("Sevens", "72.0", "7");
    golf.AddCourse("Unrated", "");
    golf.AddCourse("Badly rated", "");
    golf.ratings.Insert(RatingRecord{"Badly rated", "72.0", "113"});
    RoundRecord round = MakeRound(c.course, c.date);
    for (int hole = 1; hole <= kHoles; ++hole)
      round[ScoreColumn(hole)] = hole <= c.holes ? "5" : hole % 2 == 0 ? "31" : "x";
    golf.rounds.InsertRow(0, round);
    const HandicapRecord record = golf.Record();
    if (c.reason.empty()) {
      EXPECT_EQ(record.counted.size(), 1u) << c.course << " " << c.date;
      continue;
    }
    ASSERT_EQ(record.notCounted.size(), 1u) << c.course << " " << c.date;
    EXPECT_EQ(record.notCounted[0].reason, c.reason) << c.course << " " << c.date;
    EXPECT_EQ(record.notCounted[0].course, c.course);
  }
}

TEST(HandicapRecord, CountedRounds_oldestFirst_onOneDateTheLowerInTheListFirst) {
  Golf golf;
  golf.Play(1, QDate(2024, 5, 2));
  golf.Play(2, QDate(2024, 5, 1));
  golf.Play(3, QDate(2024, 5, 2));
  // The first course row from the top with the name gives the pars: here none.
  golf.courses.InsertAtTop(CourseRecord{"Tenth"});
  golf.Play(4, QDate(2024, 5, 2), "Tenth");
  const HandicapRecord record = golf.Record();
  std::vector<int> scores;
  for (const CountedRound& round : record.counted)
    scores.push_back(round.score - 72);
  EXPECT_EQ(scores, (std::vector<int>{2, 1, 3}));
  ASSERT_EQ(record.notCounted.size(), 1u);
  EXPECT_EQ(record.notCounted[0].reason, kNoParsReason);
  EXPECT_EQ(record.indexTenths, -10);
}

TEST(HandicapRecord, IndexAfterRounds_exceptionalScoresLowIndexAndLimit) {
  struct Played {
    int over;
    int day;  // after 2024-01-01
    std::string course = "Even";
  };
  struct Case {
    std::string name;
    std::vector<Played> rounds;
    int index;
    std::vector<int> reductions;  // of each round; empty: not checked
  };
  std::vector<Played> twentyBehindA = {{10, 0}, {10, 1}, {10, 2}, {30, 2}};  // 8.0, then 9.0
  for (int day = 3; day <= 18; ++day)
    twentyBehindA.push_back({30, day});
  std::vector<Played> inForce = {{-2, 0}};
  for (int day = 1; day <= 19; ++day)
    inForce.push_back({30, day});
  std::vector<Played> exceptionalTwice;
  for (int day = 0; day < 24; ++day)
    exceptionalTwice.push_back({20, day});
  std::vector<int> twiceReduced(5, 0);
  twiceReduced.push_back(20);
  twiceReduced.resize(25, 40);
  twiceReduced.push_back(20);
  exceptionalTwice.insert(exceptionalTwice.end(), {{8, 24}, {6, 25}});

  std::vector<Case> cases = {
      {"7.0 below the Index", {{20, 0}, {20, 1}, {20, 2}, {11, 3}}, 90, {10, 10, 10, 10}},
      {"6.9 below", {{20, 0}, {20, 1}, {20, 2}, {11, 3, "Tenth"}}, 101, {0, 0, 0, 0}},
      {"10.0 below", {{20, 0}, {20, 1}, {20, 2}, {8, 3}}, 50, {20, 20, 20, 20}},
      {"9.9 below", {{20, 0}, {20, 1}, {20, 2}, {8, 3, "Tenth"}}, 61, {10, 10, 10, 10}},
      {"the 19 before it, added up", exceptionalTwice, 130, twiceReduced},
      {"54.0", {{56, 0}, {56, 1}, {56, 2}}, 540, {}},
      {"above 54.0", {{90, 0}, {90, 1}, {90, 2}, {90, 3}}, 540, {}},
      {"below 54.0", {{55, 0}, {55, 1}, {55, 2}}, 530, {}},
      // 25.0 uncapped against the 8.0 after round 3, 365 days before, or the 9.0 after round 4.
      {"365 days exactly", twentyBehindA, 130, {}},
      {"366 days", twentyBehindA, 140, {}},
      // 30.0 uncapped; no round in the year, but the 26.0 in force on its first day.
      {"the Index in force a year before", inForce, 295, {}},
  };
  cases[8].rounds.push_back({30, 2 + 365});
  cases[9].rounds.push_back({30, 2 + 366});
  cases[10].rounds.push_back({30, 19 + 400});
  for (const Case& c : cases) {
    Golf golf;
    for (const Played& round : c.rounds)
      golf.Play(round.over, QDate(2024, 1, 1).addDays(round.day), round.course);
    const HandicapRecord record = golf.Record();
    ASSERT_EQ(record.counted.size(), c.rounds.size()) << c.name;
    EXPECT_EQ(record.indexTenths, c.index) << c.name;
    if (c.reductions.empty()) continue;
    std::vector<int> reductions;
    for (const CountedRound& round : record.counted)
      reductions.push_back(round.reductionTenths);
    EXPECT_EQ(reductions, c.reductions) << c.name;
  }
}

TEST(HandicapRecord, CourseHandicapFor_ratedCoursesAtTheIndex) {
  Golf golf;
  golf.ratings.Insert(RatingRecord{"Badly rated", "72.0"});
  golf.ratings.Insert(RatingRecord{"Parless", "72.0", "113", "1",  "2",  "3",  "4",
                                   "5",       "6",    "7",   "8",  "9",  "10", "11",
                                   "12",      "13",   "14",  "15", "16", "17", "18"});
  EXPECT_EQ(RatedCourses(golf.ratings, golf.courses), (std::vector<std::string>{"Even", "Tenth"}));

  const std::optional<CourseStrokes> even =
      CourseStrokesFor("Even", golf.courses, golf.ratings, 142);
  ASSERT_TRUE(even);
  EXPECT_EQ(even->courseHandicap, 14);
  EXPECT_EQ(even->strokes[13], 1);
  EXPECT_EQ(even->strokes[14], 0);
  const std::optional<CourseStrokes> plus =
      CourseStrokesFor("Tenth", golf.courses, golf.ratings, -5);
  ASSERT_TRUE(plus);
  EXPECT_EQ(plus->courseHandicap, -1);  // -0.5 - 0.1
  EXPECT_EQ(plus->strokes[17], -1);
  EXPECT_EQ(plus->strokes[16], 0);
  EXPECT_FALSE(CourseStrokesFor("Even", golf.courses, golf.ratings, std::nullopt));
  EXPECT_FALSE(CourseStrokesFor("Parless", golf.courses, golf.ratings, 142));
}

// However small, an Index below zero is a plus handicap where golfers read it; the CSV keeps its
// numbers plain.
TEST(HandicapRecord, IndexJustBelowZero_isAPlusHandicap) {
  Golf golf;
  golf.AddCourse("Raised", "72.1");
  for (int day = 1; day <= 3; ++day)
    golf.Play(2, QDate(2024, 5, day), "Raised");  // 1.9 each, less 2.0 for three rounds
  const HandicapRecord record = golf.Record();
  EXPECT_EQ(record.indexTenths, -1);
  EXPECT_EQ(IndexText(record.indexTenths), "+0.1");
  std::string csv;
  ASSERT_TRUE(WriteHandicapCsv(record, [&csv](std::string_view piece) {
    csv.append(piece);
    return true;
  }));
  EXPECT_TRUE(csv.ends_with("\r\n2024-05-03,Raised,74,74,72.1,113,1.9,Y,-0.1\r\n")) << csv;
}

// The CSV goes to its file a piece at a time: a record of many pieces comes out with each round
// once, and a piece the file refuses fails the whole, with nothing written after it.
TEST(HandicapRecord, Csv_ofAnyLength_holdsEachRoundOnceOrFails) {
  const CountedRound round{.date = 20240502,
                           .course = "Juniper Ridge, \"Old\" Course",
                           .score = 90,
                           .adjustedGross = 88,
                           .ratingTenths = 689,
                           .slope = 119,
                           .differentialTenths = 181,
                           .used = true,
                           .indexTenths = 123};
  HandicapRecord one;
  one.counted.push_back(round);
  std::string oneCsv;
  ASSERT_TRUE(WriteHandicapCsv(one, [&oneCsv](std::string_view piece) {
    oneCsv.append(piece);
    return true;
  }));
  const std::string header = oneCsv.substr(0, oneCsv.find("\r\n") + 2);
  const std::string row = oneCsv.substr(header.size());

  const struct {
    std::size_t rounds;  // 40,000 rows of 71 bytes: three pieces of 1 MiB or less
    int failingPiece;    // 0: none
  } cases[] = {{0, 0}, {1, 0}, {40000, 0}, {40000, 1}, {40000, 2}, {40000, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.rounds) + " rounds, piece " + std::to_string(c.failingPiece));
    HandicapRecord record;
    record.counted.assign(c.rounds, round);
    std::string expected = header;
    for (std::size_t i = 0; i < c.rounds; ++i)
      expected += row;
    std::string csv;
    int pieces = 0;
    const bool written = WriteHandicapCsv(record, [&](std::string_view piece) {
      // A file that would grow beyond the record refuses, so a writer that repeats itself ends.
      if (++pieces == c.failingPiece || csv.size() + piece.size() > expected.size()) return false;
      csv.append(piece);
      return true;
    });
    EXPECT_EQ(written, c.failingPiece == 0);
    if (written) {
      EXPECT_TRUE(csv == expected) << csv.size() << " bytes, not " << expected.size();
    } else {
      EXPECT_EQ(pieces, c.failingPiece);
    }
  }
}

TEST(HandicapRecord, GolferOfOurOwnMaking_givesTheRecordWorkedOutApart) {
  // 25 counted rounds on two rated courses from March 2023 to June 2024, and 5 that do not count:
  // an exceptional round (-2.0 on the first four), a plus Index, rounds of 14 and 16 holes, two
  // rounds on one date, and a bad stretch from round 20 that the hard cap holds back.
  std::vector<PackedRound> read = ParseRoundFile(TestDataBytes("handicap/lks.dat"));
  std::reverse(read.begin(), read.end());
  Golf golf;
  golf.rounds.InsertRowsAtTop(std::move(read));
  CourseTable courses;
  for (CourseRecord& course : ParseCourseFile(TestDataBytes("handicap/courses.dat")).courses)
    courses.InsertAtTop(std::move(course));
  RatingsTable ratings;
  for (RatingRecord& rating : ParseRatingsFile(TestDataBytes("handicap/ratings.dat")).ratings)
    ratings.Insert(std::move(rating));

  const HandicapRecord record = ComputeHandicapRecord(golf.rounds, courses, ratings, kToday);
  EXPECT_EQ(record.counted.size(), 25u);
  EXPECT_EQ(record.notCounted.size(), 5u);
  std::string csv;
  ASSERT_TRUE(WriteHandicapCsv(record, [&csv](std::string_view piece) {
    csv.append(piece);
    return true;
  }));
  EXPECT_EQ(csv, TestDataBytes("handicap/record.csv"));
}

}  // namespace
}  // namespace larkspin::testing
