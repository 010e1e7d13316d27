// Opening, Add, Update and Remove Score fit the round list's columns to their widest cell or
// heading.

#include <gtest/gtest.h>

#include "entry/RoundTestSupport.h"

namespace larkspin::testing {
namespace {

TEST(ScorecardColumnWidth, LoadAndRemoveScore_fitWidestCellOrHeading) {
  ScorecardHarness harness;
  Scorecard& scorecard = LoadRoundFile(harness, TestDataBytes("three_rounds.dat"));
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(kCourseColumn),
            harness.measure.TextWidth("Château Vert"));
  // Strokes have one digit; the heading "10" is wider.
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(ScoreColumn(10)),
            harness.measure.HeadingWidth(ScoreColumn(10)));

  scorecard.SelectRow(1);
  scorecard.RemoveScore();
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(kCourseColumn), harness.measure.TextWidth("Pine Hills"));
}

TEST(ScorecardColumnWidth, AddAndUpdateScore_refitTheColumnsAndOpeningFitsThem) {
  ScorecardHarness harness;
  Scorecard& scorecard = harness.Make();
  scorecard.OnInitDialog();  // no file: every column as wide as its heading
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(kCourseColumn),
            harness.measure.HeadingWidth(kCourseColumn));
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(PuttsColumn(18)),
            harness.measure.HeadingWidth(PuttsColumn(18)));

  scorecard.View().course.Type("Royal Oak Golf Club");
  scorecard.View().putts[17] = "123456";
  scorecard.AddScore();
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(kCourseColumn),
            harness.measure.TextWidth("Royal Oak Golf Club"));
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(PuttsColumn(18)), harness.measure.TextWidth("123456"));

  scorecard.SelectRow(0);
  scorecard.View().course.Type("Elm Park");
  scorecard.View().putts[17] = "2";
  scorecard.UpdateScore();
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(kCourseColumn), harness.measure.TextWidth("Elm Park"));
  EXPECT_EQ(scorecard.Rounds().ColumnWidth(PuttsColumn(18)),
            harness.measure.HeadingWidth(PuttsColumn(18)));
}

}  // namespace
}  // namespace larkspin::testing
