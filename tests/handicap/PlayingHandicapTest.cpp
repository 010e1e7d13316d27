// The playing handicap: the recommended allowances, rounding once at the end, and the strokes
// received that follow it.

#include <gtest/gtest.h>

#include "CourseStrokes.h"
#include "HandicapRules.h"
#include "PlayingHandicap.h"
#include "support/Golf.h"

namespace larkspin::testing {
namespace {

TEST(PlayingHandicap, AllowanceTable_namesAndPercentagesAsTheChooserShowsThem) {
  const std::vector<std::string> shown = {"Individual stroke play 95 %",
                                          "Individual match play 100 %",
                                          "Four-ball stroke play 85 %",
                                          "Four-ball match play 90 %",
                                          "Stableford 95 %",
                                          "Par/bogey 95 %",
                                          "Custom"};
  ASSERT_EQ(kAllowanceFormats.size(), shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i)
    EXPECT_EQ(FormatChoiceText(kAllowanceFormats[i]), shown[i]);

  struct Case {
    Allowance allowance;
    int percent;
    std::string text;
  };
  const Case cases[] = {
      {{0, 50}, 95, "Individual stroke play 95 %"},  // a custom figure kept aside
      {{2, 50}, 85, "Four-ball stroke play 85 %"},  {{kCustomFormat, 80}, 80, "Custom 80 %"},
      {{kCustomFormat, 0}, 1, "Custom 1 %"},        {{kCustomFormat, 101}, 100, "Custom 100 %"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.allowance.Percent(), c.percent) << c.text;
    EXPECT_EQ(c.allowance.Text(), c.text);
  }
}

TEST(PlayingHandicap, FormatNames_fromTheCommandLineWithoutRegardToCase) {
  EXPECT_EQ(FindAllowanceFormat("Individual stroke play"), 0u);
  EXPECT_EQ(FindAllowanceFormat("stableford"), 4u);
  EXPECT_EQ(FindAllowanceFormat("FOUR-BALL MATCH PLAY 90 %"), 3u);
  EXPECT_EQ(FindAllowanceFormat("par/bogey"), 5u);
  EXPECT_FALSE(FindAllowanceFormat("Custom"));
  EXPECT_FALSE(FindAllowanceFormat("Stableford 90 %"));
  EXPECT_FALSE(FindAllowanceFormat("stroke"));
}

TEST(PlayingHandicap, RoundedOnceAtTheEnd_halvesUp) {
  struct Case {
    int index, slope, rating, par, percent;
    int expected;
  };
  const Case cases[] = {
      // 12.83 strokes: 12.19 at 95 % where a rounded 13 would also give 12, 10.91 at 85 %.
      {129, 129, 701, 72, 95, 12},
      {129, 129, 701, 72, 85, 11},
      {129, 129, 701, 72, 100, 13},
      {129, 129, 701, 72, 90, 12},  // 11.55
      // 10.5 strokes: a rounded 11 at 90 % gives 9.9 → 10, unrounded 9.45 → 9.
      {105, 113, 720, 72, 90, 9},
      // Halves up, on both sides of zero: 2.5 → 3, −2.5 → −2, −0.5 → 0.
      {50, 113, 720, 72, 50, 3},
      {-50, 113, 720, 72, 50, -2},
      {-10, 113, 720, 72, 50, 0},
      {-25, 113, 720, 72, 100, -2},  // −2.5
      {-26, 113, 720, 72, 100, -3},
      {540, 155, 760, 70, 100, 80},  // 74.07 + 6
      {540, 155, 760, 70, 1, 1},     // 0.80
      {0, 113, 720, 72, 95, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlayingHandicap(c.index, c.slope, c.rating, c.par, c.percent), c.expected)
        << c.index << " " << c.slope << " " << c.rating << " " << c.par << " " << c.percent;
    if (c.percent == 100) {
      EXPECT_EQ(PlayingHandicap(c.index, c.slope, c.rating, c.par, 100),
                CourseHandicap(c.index, c.slope, c.rating, c.par));
    }
  }
}

TEST(PlayingHandicap, StrokesReceived_followThePlayingHandicap) {
  Golf golf;
  golf.AddCourse("Even", "72.0", "113");
  const auto full = CourseStrokesFor("Even", golf.courses, golf.ratings, 200);
  const auto fourBall = CourseStrokesFor("Even", golf.courses, golf.ratings, 200, 85);
  ASSERT_TRUE(full && fourBall);
  EXPECT_EQ(full->courseHandicap, 20);
  EXPECT_EQ(full->playingHandicap, 20);
  EXPECT_EQ(fourBall->courseHandicap, 20);
  EXPECT_EQ(fourBall->playingHandicap, 17);
  // 17: one on every hole but the one of stroke index 18; 20: two on the first two.
  EXPECT_EQ(fourBall->strokes[0], 1);
  EXPECT_EQ(fourBall->strokes[16], 1);
  EXPECT_EQ(fourBall->strokes[17], 0);
  EXPECT_EQ(full->strokes[1], 2);
  EXPECT_EQ(full->strokes[2], 1);
}

}  // namespace
}  // namespace larkspin::testing
