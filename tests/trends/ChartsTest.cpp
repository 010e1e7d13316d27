// The charts' series: what each plots, in which order, and when it plots monthly means.
#include <gtest/gtest.h>

#include "TrendsFixture.h"

namespace larkspin {
namespace {

using testing::Course;
using testing::Holes;
using testing::HolesScoring;
using testing::Round;
using testing::Tables;

const CourseRecord kOak = Course("Oak", Holes("4"));

std::vector<double> Ys(const ChartLine& line) {
  std::vector<double> ys;
  for (const ChartPoint& point : line.points)
    ys.push_back(point.y);
  return ys;
}

std::vector<double> Values(const ChartBarSet& bars) {
  std::vector<double> values;
  for (const auto& value : bars.values)
    values.push_back(value.value_or(-1));
  return values;
}

TEST(Charts, ScoreByRoundPlotsEighteenHoleRoundsInDateOrderWithAFiveRoundAverage) {
  std::vector<RoundRecord> rounds = {Round("Oak", "2024-03-01", HolesScoring(75)),
                                     Round("Oak", "2024-01-01", HolesScoring(72)),
                                     Round("Oak", "", HolesScoring(80)),
                                     Round("Oak", "2024-02-01", HolesScoring(74)),
                                     Round("Oak", "2024-02-01", HolesScoring(73)),
                                     Round("Oak", "2024-04-01", HolesScoring(76)),
                                     Round("Oak", "2024-04-02", {"4"})};
  const Chart toPar = Tables(rounds, {kOak}).Compute().charts[kScoreByRound];
  EXPECT_EQ(toPar.categories, (std::vector<std::string>{"no date", "2024-01-01", "2024-02-01",
                                                        "2024-02-01", "2024-03-01", "2024-04-01"}));
  EXPECT_EQ(toPar.yTitle, "Strokes to par");
  EXPECT_EQ(Ys(toPar.lines[0]), (std::vector<double>{8, 0, 1, 2, 3, 4}));
  EXPECT_EQ(Ys(toPar.lines[1]), (std::vector<double>{2.8, 2}));
  EXPECT_EQ(toPar.lines[1].points[0].x, 4);
  EXPECT_EQ(toPar.lines[0].points[0].tip, "no date, Oak\nTo par: +8");
  EXPECT_EQ(toPar.lines[1].points[1].tip, "2024-04-01, Oak\nAverage of the last five rounds: +2");

  // Fewer than five rounds have no average: it is neither drawn nor in the legend.
  const Chart four =
      Tables({rounds.begin(), rounds.begin() + 4}, {kOak}).Compute().charts[kScoreByRound];
  ASSERT_EQ(four.lines.size(), 1u);
  EXPECT_EQ(four.lines[0].name, "To par");

  rounds.push_back(Round("Nowhere", "2024-05-01", HolesScoring(90)));
  const Chart scores = Tables(rounds, {kOak}).Compute().charts[kScoreByRound];
  EXPECT_EQ(scores.yTitle, "Strokes");
  EXPECT_EQ(Ys(scores.lines[0]), (std::vector<double>{80, 72, 73, 74, 75, 76, 90}));
}

TEST(Charts, PerRoundChartsPlotMonthlyMeansBeyondTwoThousandRounds) {
  for (const int count : {2000, 2001}) {
    std::vector<RoundRecord> rounds(count / 2, Round("Oak", "2024-01-05", HolesScoring(72)));
    rounds.resize(count, Round("Oak", "2024-02-05", HolesScoring(80)));
    const Trends trends = Tables(rounds, {kOak}).Compute();
    const Chart& score = trends.charts[kScoreByRound];
    const Chart& putts = trends.charts[kPuttsAndGreens];
    if (count == 2000) {
      EXPECT_EQ(score.title, "Score by round");
      EXPECT_EQ(score.lines[0].points.size(), 2000u);
    } else {
      EXPECT_EQ(score.title, "Score by round (monthly means)");
      EXPECT_EQ(putts.title, "Putts and greens (monthly means)");
      EXPECT_EQ(score.categories, (std::vector<std::string>{"2024-01", "2024-02"}));
      EXPECT_EQ(Ys(score.lines[0]), (std::vector<double>{0, 8}));
      EXPECT_EQ(score.lines[0].points[1].tip, "2024-02, Oak, 1001 rounds\nTo par: +8");
    }
  }
}

TEST(Charts, ScoringMixStacksEachMonthsShares) {
  const Chart mix = Tables({Round("Oak", "2024-03-09", {"3", "4", "4", "5"}),
                            Round("Oak", "2024-01-09", {"2", "6"}), Round("Oak", "", {"4"}),
                            Round("Elm", "2024-02-09", {"4"})},
                           {kOak})
                        .Compute()
                        .charts[kScoringMix];
  EXPECT_EQ(mix.kind, ChartKind::kStackedBars);
  EXPECT_EQ(mix.categories, (std::vector<std::string>{"no date", "2024-01", "2024-03"}));
  ASSERT_EQ(mix.bars.size(), 5u);
  EXPECT_EQ(Values(mix.bars[0]), (std::vector<double>{0, 50, 0}));
  EXPECT_EQ(Values(mix.bars[1]), (std::vector<double>{0, 0, 25}));
  EXPECT_EQ(Values(mix.bars[2]), (std::vector<double>{100, 0, 50}));
  EXPECT_EQ(Values(mix.bars[4]), (std::vector<double>{0, 50, 0}));
}

TEST(Charts, AverageByHoleShowsACoursesHolesOrAllCoursesPars) {
  std::vector<std::string> pars = Holes("4");
  pars[0] = "3";
  pars[1] = "5";
  pars[2] = "x";
  const Tables tables(
      {Round("Oak", "2024-01-01", {"4", "6", "5"}), Round("Oak", "2024-01-02", {"3", "", "5"}),
       Round("Elm", "2024-01-02", {"9"})},
      {Course("Oak", pars), Course("Elm", Holes("6"))});
  const Chart oak =
      tables.Compute({.course = "Oak", .rounds = RoundsChoice::kAll}).charts[kAverageByHole];
  ASSERT_EQ(oak.categories.size(), 18u);
  EXPECT_EQ(oak.categories[17], "18");
  EXPECT_EQ(oak.xTitle, "Hole");
  EXPECT_EQ(Values(oak.bars[0]).front(), 3.5);
  EXPECT_EQ(Values(oak.bars[0])[2], 5);
  EXPECT_EQ(Values(oak.bars[0])[3], -1);
  EXPECT_EQ(Values(oak.bars[1])[2], -1);
  EXPECT_EQ(Values(oak.bars[1])[1], 5);

  const Chart all = tables.Compute().charts[kAverageByHole];
  EXPECT_EQ(all.categories, (std::vector<std::string>{"Par 3", "Par 4", "Par 5"}));
  EXPECT_EQ(Values(all.bars[0]), (std::vector<double>{3.5, -1, 6}));
  EXPECT_EQ(Values(all.bars[1]), (std::vector<double>{3, 4, 5}));
}

TEST(Charts, PuttsAndGreensPlotEachRoundsPuttsAndShareOfGreens) {
  std::vector<std::string> noPutts = Holes("2");
  noPutts[0] = "x";
  const Chart chart = Tables({Round("Oak", "2024-01-02", Holes("4"), noPutts),
                              Round("Oak", "2024-01-01", Holes("4"), Holes("2")),
                              Round("Oak", "2024-01-03", Holes("4")),
                              Round("Elm", "2024-01-04", Holes("4"), Holes("1"))},
                             {kOak})
                          .Compute()
                          .charts[kPuttsAndGreens];
  EXPECT_EQ(Ys(chart.lines[0]), (std::vector<double>{36, 18}));
  // The rounds without putts between are a gap in the line, not a line across it.
  EXPECT_EQ(chart.lines[0].points[1].x, 3);
  EXPECT_TRUE(chart.lines[0].points[1].afterGap);
  EXPECT_FALSE(chart.lines[0].points[0].afterGap);
  EXPECT_EQ(chart.lines[0].points[1].tip, "2024-01-04, Elm\nPutts per round: 18");
  EXPECT_EQ(Ys(chart.lines[1]), (std::vector<double>{100, 100}));
  EXPECT_EQ(chart.lines[1].points[1].x, 1);
  EXPECT_FALSE(chart.lines[1].points[1].afterGap);
  EXPECT_EQ(chart.lines[1].points[1].tip, "2024-01-02, Oak\nGreens in regulation: 100%");
  EXPECT_TRUE(chart.lines[1].onSecondAxis);
}

TEST(Charts, DrivingDistanceIsPerClubOverParFourAndFiveHoles) {
  std::vector<std::string> pars = Holes("4");
  pars[0] = "3";
  pars[1] = "5";
  const Chart chart = Tables({Round("Oak", "2024-01-01", Holes("4"), {},
                                    {{1, "200", "D"},
                                     {2, "250", "d"},
                                     {3, "230", "D"},
                                     {4, "180", "56°"},
                                     {5, "1000", "D"},
                                     {6, "0", "3W"},
                                     {7, "210", ""},
                                     {8, "190", "4H"},
                                     {9, "150", "3w"}})},
                             {Course("Oak", pars)})
                          .Compute()
                          .charts[kDrivingDistance];
  EXPECT_EQ(chart.categories, (std::vector<std::string>{"3W", "D", "4H", "56°"}));
  EXPECT_EQ(Values(chart.bars[0]), (std::vector<double>{150, 240, 190, 180}));
  EXPECT_EQ(Values(chart.bars[1]), (std::vector<double>{150, 230, 190, 180}));
  EXPECT_EQ(Values(chart.bars[2]), (std::vector<double>{150, 250, 190, 180}));
}

}  // namespace
}  // namespace larkspin
