// The World Handicap System's rules one by one, each at its edges: course handicap, strokes
// received, adjusted hole scores, differentials, exceptional scores, the table of the most recent
// 20 and the caps; every rounding to a tenth sends a half up.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "HandicapRules.h"
#include "HandicapText.h"
#include "IndexChartPoints.h"

namespace larkspin::testing {
namespace {

TEST(HandicapRules, CourseHandicap_roundsHalvesUp) {
  struct Case {
    int index, slope, rating, par, expected;
  };
  const Case cases[] = {
      {142, 128, 713, 72, 15},  // 16.08 - 0.7 = 15.38
      {0, 113, 745, 72, 3},     // 2.5
      {0, 113, 695, 72, -2},    // -2.5
      {0, 113, 694, 72, -3},    // -2.6
      {-12, 113, 720, 72, -1},  // a plus Index: -1.2
      {540, 155, 900, 72, 92},  // 74.07 + 18
  };
  for (const Case& c : cases)
    EXPECT_EQ(CourseHandicap(c.index, c.slope, c.rating, c.par), c.expected) << c.index;
}

TEST(HandicapRules, StrokesReceived_followTheStrokeIndex_plusHandicapsFromIndex18) {
  struct Case {
    int courseHandicap;
    std::vector<int> bySi;  // strokes on the holes of stroke index 1 to 18
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {18, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {19, {2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {36, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}},
      {-1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1}},
      {-19, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -2}},
      {5, {1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::vector<int> bySi;
    for (int si = 1; si <= 18; ++si)
      bySi.push_back(StrokesReceived(c.courseHandicap, si));
    EXPECT_EQ(bySi, c.bySi) << "CH " << c.courseHandicap;
  }
}

TEST(HandicapRules, AdjustedHoleScore_netDoubleBogeyAndNetPar_orParPlus5AndParBeforeAnIndex) {
  struct Case {
    int strokes, par;
    std::optional<int> received;
    int expected;
  };
  const Case cases[] = {
      {9, 4, 1, 7},   {7, 4, 1, 7},   {6, 4, 0, 6},
      {7, 4, 0, 6},   {6, 4, -1, 5},  // net double bogey
      {12, 4, 3, 9},  {10, 4, 3, 9},  // course handicap 54: 3 strokes on every hole
      {12, 4, 4, 9},  {9, 4, 4, 9},   // above 54, 4 strokes or more: par + 5, not net double bogey
      {30, 4, 5, 9},  {30, 5, 4, 10}, {0, 4, 1, 5},
      {0, 5, -1, 4},  {0, 4, 4, 8},                   // net par, whatever the strokes
      {10, 4, {}, 9}, {9, 4, {}, 9},  {0, 3, {}, 3},  // no Index yet
  };
  for (const Case& c : cases)
    EXPECT_EQ(AdjustedHoleScore(c.strokes, c.par, c.received), c.expected) << c.strokes;
}

TEST(HandicapRules, Differential_roundsHalvesUp) {
  struct Case {
    int adjusted, rating, slope, expected;
  };
  const Case cases[] = {
      {77, 720, 100, 57},   // 5.65
      {67, 720, 100, -56},  // -5.65
      {66, 720, 120, -56},  // -5.65
      {66, 720, 119, -57},  // -5.697...
      {85, 713, 128, 121},  // 12.095...
      {72, 720, 113, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScoreDifferential(c.adjusted, c.rating, c.slope), c.expected) << c.adjusted;
}

TEST(HandicapRules, ExceptionalScore_from7And10Below) {
  const int cases[][3] = {{180, 111, 0}, {180, 110, 10}, {180, 81, 10},
                          {180, 80, 20}, {-10, -80, 10}, {-10, -110, 20}};
  for (const auto& c : cases)
    EXPECT_EQ(ExceptionalScoreReduction(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(HandicapRules, IndexTable_rowByRow) {
  // Differentials 1.0, 2.0, ... n.0 in a shuffled order: the mean of the lowest k is (k + 1) / 2.
  const int expected[21] = {0,  0,  0,  -10, 0,  10, 5,  15, 15, 20, 20,
                            20, 25, 25, 25,  30, 30, 35, 35, 40, 45};
  std::mt19937 random(23);
  for (int count = 1; count <= 20; ++count) {
    std::vector<int> recent;
    for (int k = 1; k <= count; ++k)
      recent.push_back(10 * k);
    std::shuffle(recent.begin(), recent.end(), random);
    const std::optional<int> index = IndexFromDifferentials(recent);
    if (count < 3) {
      EXPECT_FALSE(index) << count;
      continue;
    }
    EXPECT_EQ(index, expected[count]) << count;
    const std::vector<int> used = UsedDifferentials(recent);
    EXPECT_EQ(static_cast<int>(used.size()), IndexTableFor(count).lowest) << count;
    for (const int position : used)
      EXPECT_LE(recent[position], 10 * IndexTableFor(count).lowest) << count;
  }
  // The mean rounds a half up before the adjustment: 1.15, -1.15 and -0.25.
  EXPECT_EQ(IndexFromDifferentials(std::vector<int>{11, 12, 90, 90, 90, 90, 90}), 12);
  EXPECT_EQ(IndexFromDifferentials(std::vector<int>{-11, -12, 90, 90, 90, 90}), -21);
  EXPECT_EQ(IndexFromDifferentials(std::vector<int>{-2, -3, 90, 90, 90, 90, 90}), -2);
  EXPECT_EQ(IndexFromDifferentials(std::vector<int>{-2, -4, 90, 90, 90, 90, 90}), -3);
}

TEST(HandicapRules, Used_ofEqualDifferentials_theMoreRecent) {
  EXPECT_EQ(UsedDifferentials(std::vector<int>{50, 50, 60}), std::vector<int>{1});
  EXPECT_EQ(UsedDifferentials(std::vector<int>{20, 30, 30, 40, 40, 40, 40, 40}),
            (std::vector<int>{0, 2}));
}

TEST(HandicapRules, Caps_halveBeyond3AndStopAt5AboveTheLowIndex_sayingWhich) {
  struct Case {
    int low, index, expected;
    IndexCap cap;
  };
  constexpr IndexCap kNone = IndexCap::kNone;
  constexpr IndexCap kSoft = IndexCap::kSoft;
  constexpr IndexCap kHard = IndexCap::kHard;
  const Case cases[] = {
      {50, 80, 80, kNone},   {50, 81, 81, kNone},  // 0.1 over 3.0: its half rounds up to 0.1
      {50, 82, 81, kSoft},   {50, 83, 82, kSoft},   {50, 120, 100, kSoft},
      {50, 121, 100, kHard}, {50, 200, 100, kHard},  // what the soft cap leaves over 5.0
      {-12, 20, 19, kSoft},  {-25, 8, 7, kSoft},     // 0.3 over 3.0: 0.15 up to 0.2
      {50, 40, 40, kNone},
  };
  for (const Case& c : cases) {
    const CappedIndex capped = CapIndex(c.index, c.low);
    EXPECT_EQ(capped.indexTenths, c.expected) << c.low << " " << c.index;
    EXPECT_EQ(capped.cap, c.cap) << c.low << " " << c.index;
  }
}

TEST(HandicapRules, IndexText_plusHandicapsWithTheirSign) {
  EXPECT_EQ(IndexText(142), "14.2");
  EXPECT_EQ(IndexText(0), "0.0");
  EXPECT_EQ(IndexText(-12), "+1.2");
  EXPECT_EQ(IndexText(std::nullopt), "\u2013");
  EXPECT_EQ(CourseHandicapText(16), "16");
  EXPECT_EQ(CourseHandicapText(0), "0");
  EXPECT_EQ(CourseHandicapText(-2), "+2");
  EXPECT_EQ(ExceptionalScoreText(20), "Exceptional score: \u22122.0");
  EXPECT_EQ(CapText(IndexCap::kHard, -3), "Hard cap applied (uncapped +0.3)");
  EXPECT_EQ(CapText(IndexCap::kNone, 30), "");
}

// Up to 2,000 Indexes the chart shows each; beyond, the last of each month.
TEST(HandicapRules, IndexChartSeries_everyRoundOrEachMonthsLast) {
  std::vector<IndexPoint> series;
  for (int i = 0; i < 2001; ++i)  // 28 rounds a month
    series.push_back({20000000 + (i / 336) * 10000 + (i / 28 % 12 + 1) * 100 + i % 28 + 1, i});
  const std::vector<IndexPoint> first(series.begin(), series.begin() + 2000);
  EXPECT_FALSE(IndexChartSeries(first).monthly);
  EXPECT_EQ(IndexChartSeries(first).points.size(), 2000u);

  const IndexChartPoints monthly = IndexChartSeries(series);
  EXPECT_TRUE(monthly.monthly);
  ASSERT_EQ(monthly.points.size(), 72u);
  EXPECT_EQ(monthly.points[0].date, 20000128);
  EXPECT_EQ(monthly.points[0].indexTenths, 27);
  EXPECT_EQ(monthly.points[1].date, 20000228);
  EXPECT_EQ(monthly.points.back().indexTenths, 2000);
}

}  // namespace
}  // namespace larkspin::testing
