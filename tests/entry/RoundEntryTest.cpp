#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DateText.h"
#include "support/FakeServices.h"

namespace larkspin {
namespace {

using ::testing::ElementsAre;
using testing::ScorecardHarness;

MATCHER_P2(Said, title, text, "") {
  return arg.title == title && arg.text == text;
}

class RoundEntry : public ::testing::Test {
 protected:
  void SetUp() override { sc.OnInitDialog(); }

  // Types a round whose per-hole texts carry `tag`: "<tag>s1" is the first hole's score.
  void Enter(std::string_view course, std::string_view date, const std::string& tag = "") {
    sc.View().course.Type(course);
    sc.View().date = date;
    for (int i = 0; i < kHoles; ++i) {
      const std::string hole = std::to_string(i + 1);
      sc.View().scores[i] = tag + "s" + hole;
      sc.View().drives[i] = tag + "d" + hole;
      sc.View().clubs[i].Pick(i % 17);
      sc.View().putts[i] = tag + "p" + hole;
    }
  }
  void AddRound(std::string_view course, std::string_view date = "2003-09-16") {
    Enter(course, date, std::string(course));
    sc.AddScore();
  }
  std::string_view CourseAt(int row) const { return sc.Rounds().Table().Cell(row, kCourseColumn); }

  ScorecardHarness h;
  Scorecard& sc = h.Make();
};

TEST_F(RoundEntry, ClearGrid_emptiesRoundAndParsButKeepsPeriodCountAndSelection) {
  AddRound("Oak");
  AddRound("Pine");
  sc.SelectRow(1);
  sc.View().pars.fill("4");
  sc.View().period.Pick(2);
  sc.ClearGrid();
  EXPECT_EQ(sc.Values().working, RoundRecord{});
  EXPECT_EQ(sc.View().pars, HoleTexts{});
  EXPECT_EQ(sc.View().clubs[0].Text(), "");
  EXPECT_EQ(sc.View().period.Text(), "Year");
  EXPECT_EQ(sc.View().roundCount, 2);
  EXPECT_EQ(sc.Rounds().SelectedRow(), 1);
}

TEST_F(RoundEntry, ClickWithNoRowSelected_emptiesRoundAndParsButKeepsPeriod) {
  Enter("Oak", "2003-09-16");
  sc.View().pars.fill("3");
  sc.View().period.Pick(3);
  sc.OnClickRoundList();
  EXPECT_EQ(sc.Values().working, RoundRecord{});
  EXPECT_THAT(sc.View().pars, ::testing::Each(""));
  EXPECT_EQ(sc.View().period.Text(), "Eternity");
}

TEST_F(RoundEntry, AddScoreWithBlankCourse_showsErrorAndAddsNothing) {
  AddRound("");
  EXPECT_THAT(h.prompter.messages,
              ElementsAre(Said("Error", "Course Name Blank.\r\nNo entry added.")));
  EXPECT_EQ(sc.Rounds().Table().RowCount(), 0);
}

TEST_F(RoundEntry, AddScoreOfListedCourseAndDate_asksAndAddsOnlyOnYes) {
  AddRound("Oak");
  AddRound("oak");  // differs in case only: not the same course
  EXPECT_TRUE(h.prompter.messages.empty());
  h.prompter.answers = {false, true};
  AddRound("Oak");
  EXPECT_THAT(h.prompter.messages, ElementsAre(Said("larkspin",
                                                    "This entry is already in the list.\r\n"
                                                    "Do you really want to add this item?")));
  EXPECT_EQ(sc.Rounds().Table().RowCount(), 2);
  AddRound("Oak");
  EXPECT_EQ(sc.Rounds().Table().RowCount(), 3);
  EXPECT_EQ(sc.View().roundCount, 3);
}

TEST_F(RoundEntry, AddScore_putsWholeRoundOnTopKeepsGridAndSelectionFollowsItsRound) {
  AddRound("Oak");
  sc.SelectRow(0);
  Enter("Pine", "2003-09-17", "x");
  sc.AddScore();
  EXPECT_EQ(sc.Rounds().Table().Row(0), sc.Values().working);
  EXPECT_EQ(sc.View().scores[17], "xs18");
  EXPECT_EQ(sc.View().roundCount, 2);
  EXPECT_EQ(sc.Rounds().SelectedRow(), 1);
  EXPECT_EQ(CourseAt(1), "Oak");
}

TEST_F(RoundEntry, UpdateScore_writesWholeFormOverSelectedRowWithoutAskingAndNeedsCourse) {
  AddRound("Oak");
  AddRound("Pine");
  const RoundRecord oak = sc.Rounds().Table().Row(1);
  Enter("Pine", "2003-09-16", "new");  // the other row's course and date
  sc.UpdateScore();                    // no row selected
  sc.SelectRow(1);                     // a keyboard move: nothing is loaded
  sc.View().course.Type("");
  sc.UpdateScore();
  EXPECT_EQ(sc.Rounds().Table().Row(1), oak);
  sc.View().course.Type("Pine");
  sc.UpdateScore();
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_EQ(sc.Rounds().Table().Row(1), sc.Values().working);
  EXPECT_EQ(sc.Rounds().Table().Cell(1, PuttsColumn(18)), "newp18");
  EXPECT_EQ(sc.Rounds().Table().Cell(0, PuttsColumn(18)), "Pinep18");
}

TEST_F(RoundEntry, RemoveScore_deletesSelectedRowOnceWithoutAskingAndKeepsGrid) {
  AddRound("Oak");
  AddRound("Pine");
  AddRound("Birch");
  sc.SelectRow(1);
  Enter("Elm", "2003-09-20");
  sc.RemoveScore();
  sc.RemoveScore();
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_EQ(sc.Rounds().SelectedRow(), -1);
  EXPECT_EQ(sc.Rounds().Table().RowCount(), 2);
  EXPECT_EQ(CourseAt(1), "Oak");
  EXPECT_EQ(sc.View().roundCount, 2);
  EXPECT_EQ(sc.View().scores[17], "s18");
}

TEST_F(RoundEntry, DateButton_opensOnTodayAndShowsPickedDayWithTwoDigitMonthAndDay) {
  const std::pair<QDate, const char*> cases[] = {{QDate(2003, 9, 9), "2003-09-09"},
                                                 {QDate(2003, 10, 1), "2003-10-01"},
                                                 {QDate(2003, 12, 7), "2003-12-07"},
                                                 {QDate(), "2003-09-16"}};  // closed at once
  for (const auto& [day, text] : cases) {
    sc.View().date = "2001-01-01";
    h.datePicker.pick = day;
    sc.OnDateButton();
    EXPECT_EQ(sc.View().date, text);
  }
  EXPECT_THAT(h.datePicker.opened, ::testing::Each(QDate(2003, 9, 16)));
}

TEST(DateText, DayOutsideFourDigitYearsOrInvalid_givesEmptyText) {
  EXPECT_EQ(FormatDateText(QDate(1000, 1, 1)), "1000-01-01");
  EXPECT_EQ(FormatDateText(QDate(9999, 12, 31)), "9999-12-31");
  EXPECT_EQ(FormatDateText(QDate(999, 12, 31)), "");
  EXPECT_EQ(FormatDateText(QDate(10000, 1, 1)), "");
  EXPECT_EQ(FormatDateText(QDate(2003, 2, 29)), "");
}

TEST_F(RoundEntry, ClickRoundList_loadsRoundAndParsOfCourseTheSelectorShows) {
  Enter("Oak Hills", "2003-01-01", "par");
  sc.AddCourse();
  AddRound("Birch");
  AddRound("Oak");
  sc.SelectRow(0);
  sc.OnClickRoundList();
  EXPECT_EQ(sc.View().course.Text(), "Oak Hills");
  EXPECT_EQ(sc.View().pars[17], "pars18");
  EXPECT_EQ(sc.View().scores[17], "Oaks18");
  sc.SelectRow(1);
  sc.OnClickRoundList();
  EXPECT_EQ(sc.View().course.Text(), "Birch");
  EXPECT_EQ(sc.View().pars, HoleTexts{});
}

}  // namespace
}  // namespace larkspin
