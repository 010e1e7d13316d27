// A click on a heading of the round list sorts the rounds by that column, or reverses them when
// they are already in order.

#include <gtest/gtest.h>

#include "entry/RoundTestSupport.h"

namespace larkspin::testing {
namespace {

using Texts = std::vector<std::string>;

class RoundSort : public ::testing::Test {
 protected:
  // Rows in the order given, the first at the top.
  void SetRows(const std::vector<RoundRecord>& rows) {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
      scorecard_.Rounds().Add(*row);
  }
  Texts ClickAndRead(int clicked, int read) {
    scorecard_.OnColumnClickRounds(clicked);
    return ColumnTexts(scorecard_.Rounds().Table(), read);
  }

  ScorecardHarness harness_;
  Scorecard& scorecard_ = harness_.Make();
};

TEST_F(RoundSort, ClickDate_putsEmptyThenEarliestFirst_secondClickLatestFirst) {
  SetRows({MakeRound("A", "2003-09-14"), MakeRound("B"), MakeRound("C", "2001-12-25"),
           MakeRound("D", "2003-01-05")});

  EXPECT_EQ(ClickAndRead(kDateColumn, kCourseColumn), (Texts{"B", "C", "D", "A"}));
  EXPECT_EQ(ClickAndRead(kDateColumn, kCourseColumn), (Texts{"A", "D", "C", "B"}));
}

TEST_F(RoundSort, ClickTextColumn_ordersByBytesNotNumbersOrAlphabet) {
  SetRows({MakeRound("pine", "", {{ScoreColumn(1), "9"}}),
           MakeRound("Éden", "", {{ScoreColumn(1), "10"}}),
           MakeRound("Pine", "", {{ScoreColumn(1), "4"}}), MakeRound("oak")});

  EXPECT_EQ(ClickAndRead(ScoreColumn(1), ScoreColumn(1)), (Texts{"", "10", "4", "9"}));
  EXPECT_EQ(ClickAndRead(kCourseColumn, kCourseColumn), (Texts{"Pine", "oak", "pine", "Éden"}));
}

TEST_F(RoundSort, ClickCourseWithEqualNames_keepsTheirOrderThenReversesExactly) {
  SetRows({MakeRound("Pine", "1"), MakeRound("Oak", "2"), MakeRound("Pine", "3"),
           MakeRound("Oak", "4")});

  EXPECT_EQ(ClickAndRead(kCourseColumn, kDateColumn), (Texts{"2", "4", "1", "3"}));
  EXPECT_EQ(ClickAndRead(kCourseColumn, kDateColumn), (Texts{"3", "1", "4", "2"}));
}

TEST_F(RoundSort, ClickColumnEmptyInEveryRow_reversesTableEachClick) {
  SetRows({MakeRound("A"), MakeRound("B"), MakeRound("C")});

  EXPECT_EQ(ClickAndRead(PuttsColumn(18), kCourseColumn), (Texts{"C", "B", "A"}));
  EXPECT_EQ(ClickAndRead(PuttsColumn(18), kCourseColumn), (Texts{"A", "B", "C"}));
}

TEST_F(RoundSort, ClickWithNoneOrOneRow_keepsTableAndCountsRows) {
  EXPECT_EQ(ClickAndRead(kCourseColumn, kCourseColumn), Texts{});

  SetRows({MakeRound("Pine", "2003-09-14")});
  EXPECT_EQ(ClickAndRead(kDateColumn, kDateColumn), Texts{"2003-09-14"});
  EXPECT_EQ(scorecard_.View().roundCount, 1);
}

TEST_F(RoundSort, Sort_movesWholeRoundsAndLeavesGridAlone) {
  SetRows({MakeRound("Pine", "2003-09-14", {{ClubColumn(18), "D"}}),
           MakeRound("Oak", "2003-08-02", {{PuttsColumn(1), "2"}}),
           MakeRound("Elm", "", {{ScoreColumn(18), "7"}})});
  scorecard_.View().scores[0] = "5";

  scorecard_.OnColumnClickRounds(kCourseColumn);

  EXPECT_EQ(DescribeRows(scorecard_.Rounds().Table()),
            (Texts{"Elm; 18=7", "Oak; Date=2003-08-02; P1=2", "Pine; Date=2003-09-14; C18=D"}));
  EXPECT_EQ(scorecard_.Values().working[ScoreColumn(1)], "5");
  EXPECT_EQ(scorecard_.Values().roundCount, 3);
}

TEST_F(RoundSort, SelectedRow_followsItsRoundThroughSortsAndRowAddedAbove) {
  SetRows({MakeRound("Pine"), MakeRound("Oak"), MakeRound("Elm"), MakeRound("Birch")});
  scorecard_.SelectRow(1);
  const auto selectedCourse = [&] {
    return std::string(
        scorecard_.Rounds().Table().Cell(scorecard_.Rounds().SelectedRow(), kCourseColumn));
  };

  scorecard_.OnColumnClickRounds(kCourseColumn);
  EXPECT_EQ(selectedCourse(), "Oak");
  scorecard_.OnColumnClickRounds(kCourseColumn);
  EXPECT_EQ(selectedCourse(), "Oak");

  scorecard_.View().course.Type("Ash");
  scorecard_.AddScore();
  EXPECT_EQ(scorecard_.Rounds().Table().Cell(0, kCourseColumn), "Ash");
  EXPECT_EQ(selectedCourse(), "Oak");
}

TEST(RoundFigureSort, ClickTotalOrToPar_sortsByNumberEmptyLastThenSecondClickReverses) {
  // Top first; the date names the round. Oak's holes are all par 4; Elm is no course.
  const std::vector<RoundRecord> rows = {
      MakeRound("Oak", "1", {{ScoreColumn(1), "5"}, {ScoreColumn(2), "5"}}),     // 10, +2
      MakeRound("Oak", "2"),                                                     // none
      MakeRound("Elm", "3", {{ScoreColumn(1), "3"}}),                            // 3, none
      MakeRound("Oak", "4", {{ScoreColumn(1), "3"}, {ScoreColumn(10), "4"}}),    // 7, -1
      MakeRound("Oak", "5", {{ScoreColumn(1), "4"}, {ScoreColumn(2), "4"}}),     // 8, E
      MakeRound("Oak", "6", {{ScoreColumn(1), "x"}, {PuttsColumn(1), "2"}}),     // none
      MakeRound("Oak", "7", {{ScoreColumn(1), "10"}, {ScoreColumn(18), "02"}}),  // 12, +4
      MakeRound("Oak", "8", {{ScoreColumn(1), "3"}, {ScoreColumn(2), "5"}}),     // 8, E
  };
  const struct {
    RoundFigure figure;
    int clicks;
    Texts dates;
  } cases[] = {
      {RoundFigure::kTotal, 1, {"3", "4", "5", "8", "1", "7", "2", "6"}},
      {RoundFigure::kTotal, 2, {"6", "2", "7", "1", "8", "5", "4", "3"}},
      {RoundFigure::kToPar, 1, {"4", "5", "8", "1", "7", "2", "3", "6"}},
      {RoundFigure::kToPar, 2, {"6", "3", "2", "7", "1", "8", "5", "4"}},
  };
  for (const auto& c : cases) {
    ScorecardHarness harness;
    Scorecard& scorecard = harness.Make();
    CourseRecord oak{"Oak"};
    for (int hole = 1; hole <= kHoles; ++hole)
      oak[ParCell(hole)] = "4";
    scorecard.Courses().Add(oak);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
      scorecard.Rounds().Add(*row);

    for (int click = 0; click < c.clicks; ++click)
      scorecard.OnFigureClickRounds(c.figure);

    EXPECT_EQ(ColumnTexts(scorecard.Rounds().Table(), kDateColumn), c.dates)
        << static_cast<int>(c.figure) << " clicked " << c.clicks << " times";
  }
}

}  // namespace
}  // namespace larkspin::testing

namespace larkspin::testing {
namespace {

// The sort compares the first 16 bytes of a cell in registers and the rest only on a tie.
class RoundSortKeys : public RoundSort {};

TEST_F(RoundSortKeys, LongCellsSharingFirst16Bytes_orderByTheBytesAfter) {
  SetRows({MakeRound("Royal Oak Golf Club West"), MakeRound("Royal Oak Golf Club East"),
           MakeRound("Royal Oak Golf Club"), MakeRound("Royal Oak Golf Club East 2"),
           MakeRound("Royal Oak Golf Cl")});
  EXPECT_EQ(ClickAndRead(kCourseColumn, kCourseColumn),
            (Texts{"Royal Oak Golf Cl", "Royal Oak Golf Club", "Royal Oak Golf Club East",
                   "Royal Oak Golf Club East 2", "Royal Oak Golf Club West"}));
}

TEST_F(RoundSortKeys, TextsThatArePrefixesOfEachOther_putShorterFirst) {
  SetRows({MakeRound("Oakmont"), MakeRound("Oak"), MakeRound("O"), MakeRound(""),
           MakeRound(std::string("Oak\0", 4)), MakeRound("Oa")});
  EXPECT_EQ(ClickAndRead(kCourseColumn, kCourseColumn),
            (Texts{"", "O", "Oa", "Oak", std::string("Oak\0", 4), "Oakmont"}));
}

TEST_F(RoundSortKeys, EqualCellsInLargeTable_keepTheirOrder) {
  // Well past the size where std::sort stops using insertion sort alone.
  std::vector<RoundRecord> rows;
  for (int i = 0; i < 200; ++i) {
    rows.push_back(
        MakeRound(i % 3 == 0 ? "Pine" : (i % 3 == 1 ? "Oak" : "Elm"), std::to_string(1000 + i)));
  }
  SetRows(rows);
  const Texts dates = ClickAndRead(kCourseColumn, kDateColumn);
  for (const int remainder : {2, 1, 0}) {  // Elm, then Oak, then Pine
    Texts expected;
    for (int i = remainder; i < 200; i += 3)
      expected.push_back(std::to_string(1000 + i));
    const int offset = remainder == 2 ? 0 : (remainder == 1 ? 66 : 133);
    EXPECT_EQ(Texts(dates.begin() + offset, dates.begin() + offset + expected.size()), expected);
  }
}

TEST_F(RoundSortKeys, ClickOutsideTheColumns_changesNothing) {
  SetRows({MakeRound("Pine", "2"), MakeRound("Oak", "1")});
  for (const int column : {-1, kRoundColumns, kRoundColumns + 5})
    EXPECT_EQ(ClickAndRead(column, kCourseColumn), (Texts{"Pine", "Oak"}));
}

TEST_F(RoundSortKeys, OnlyTheLastPairOutOfOrder_sortsInsteadOfReversing) {
  std::vector<RoundRecord> rows;
  for (int i = 0; i < 20; ++i)
    rows.push_back(MakeRound("Course", std::to_string(10 + i)));
  std::swap(rows[18], rows[19]);
  SetRows(rows);
  Texts expected;
  for (int i = 0; i < 20; ++i)
    expected.push_back(std::to_string(10 + i));
  EXPECT_EQ(ClickAndRead(kDateColumn, kDateColumn), expected);
}

}  // namespace
}  // namespace larkspin::testing
