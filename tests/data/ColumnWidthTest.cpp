// The round list's columns are as wide as their widest cell, or their heading when that is wider.

#include <gtest/gtest.h>

#include "data/ColumnWidths.h"
#include "data/RoundTestSupport.h"

namespace larkspin::testing {
namespace {

class ColumnWidth : public ::testing::Test {
 protected:
  int Width(std::string_view text) const { return measure_.TextWidth(text); }

  RoundTable table_;
  ByteCountMeasure measure_;
};

TEST_F(ColumnWidth, WidestCell_followsAddedChangedAndRemovedRows) {
  table_.InsertRow(0, MakeRound("Pine Hills"));
  ColumnWidthTracker tracker(table_, measure_);  // counts the rows already there
  table_.InsertRow(0, MakeRound("Royal Oak Golf Club"));
  table_.InsertRow(0, MakeRound("Royal Oak Golf Club"));
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Royal Oak Golf Club"));

  table_.RemoveRow(0);  // one of that width is left
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Royal Oak Golf Club"));
  table_.SetRow(0, MakeRound("Elm"));
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Pine Hills"));
  table_.SetRow(0, MakeRound("Elm Park Golf Links"));
  table_.RemoveRow(1);
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), Width("Elm Park Golf Links"));
  table_.RemoveRow(0);
  EXPECT_EQ(tracker.WidestCell(kCourseColumn), 0);
}

TEST_F(ColumnWidth, RemovingVeryLongTexts_fallsBackToNextWidest) {
  ColumnWidthTracker tracker(table_, measure_);
  const std::string longest(500, 'L');
  const std::string longer(300, 'l');
  table_.InsertRowsAtTop({PackedRound(MakeRound("A", longest)), PackedRound(MakeRound("B", longer)),
                          PackedRound(MakeRound("C", "2003-09-14"))});
  EXPECT_EQ(tracker.WidestCell(kDateColumn), Width(longest));

  table_.RemoveRow(0);
  EXPECT_EQ(tracker.WidestCell(kDateColumn), Width(longer));
  table_.RemoveRow(0);
  EXPECT_EQ(tracker.WidestCell(kDateColumn), Width("2003-09-14"));
}

TEST(ScorecardColumnWidth, LoadAndRemoveScore_fitWidestCellOrHeading) {
  ScorecardHarness harness;
  Scorecard& scorecard = LoadRoundFile(harness, TestDataBytes("three_rounds.dat"));
  EXPECT_EQ(scorecard.ColumnWidth(kCourseColumn), harness.measure.TextWidth("Château Vert"));
  // Strokes have one digit; the heading "10" is wider.
  EXPECT_EQ(scorecard.ColumnWidth(ScoreColumn(10)), harness.measure.HeadingWidth(ScoreColumn(10)));

  scorecard.SelectRow(1);
  scorecard.RemoveScore();
  EXPECT_EQ(scorecard.ColumnWidth(kCourseColumn), harness.measure.TextWidth("Pine Hills"));
}

}  // namespace
}  // namespace larkspin::testing
