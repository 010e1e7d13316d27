// A table never holds what lks.dat or courses.dat cannot give back: what the form holds for a
// change of a table has its line breaks and control characters made spaces and its trailing
// spaces dropped first, and what the table then holds is what the next start reads.

#include <gtest/gtest.h>

#include "entry/RoundTestSupport.h"

namespace larkspin::testing {
namespace {

// "Oak Creek; 1=4 | Pine; 1=4 / Oak Creek; 1=3": the rounds, then the courses with their first par.
std::string Tables(const Scorecard& scorecard) {
  std::string text;
  for (const std::string& row : DescribeRows(scorecard.Rounds().Table()))
    text += (text.empty() ? "" : " | ") + row;
  const CourseTable& courses = scorecard.Courses().Table();
  for (int row = 0; row < courses.RowCount(); ++row)
    text += (row == 0 ? " / " : " | ") + courses.Row(row)[kCourseNameCell] +
            "; 1=" + courses.Row(row)[ParCell(1)];
  return text;
}

TEST(StorableForm, EveryTableChange_holdsOnlyWhatTheFilesGiveBack) {
  const std::string before = "Oak Creek; 1=4 / Oak Creek; 1=3";
  const struct {
    void (Scorecard::*press)();
    std::string course;
    std::string first;  // hole 1's strokes, or a course's first par
    std::string tables;
    bool blank = false;  // the blank-course box
  } cases[] = {
      {&Scorecard::AddScore, "Pine \t", "4\r\n", "Pine; 1=4 | Oak Creek; 1=4 / Oak Creek; 1=3"},
      {&Scorecard::AddScore, " ", "4", before, true},
      {&Scorecard::AddScore, "\n\x1A\v\f", "4", before, true},
      {&Scorecard::UpdateScore, "Pine\nHills", "5 ", "Pine Hills; 1=5 / Oak Creek; 1=3"},
      {&Scorecard::UpdateScore, " ", "5", before},
      {&Scorecard::AddCourse, "Elm\x7F ", "3\t", "Oak Creek; 1=4 / Elm; 1=3 | Oak Creek; 1=3"},
      {&Scorecard::AddCourse, "\t", "3", before, true},
      {&Scorecard::UpdateCourse, "Oak Creek\r", "5\n", "Oak Creek; 1=4 / Oak Creek; 1=5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.course + "\"");
    ScorecardHarness h;
    Scorecard& scorecard = h.Make();
    scorecard.OnInitDialog();
    scorecard.View().course.Type("Oak Creek");
    scorecard.View().scores[0] = "4";
    scorecard.AddScore();
    scorecard.View().scores[0] = "3";
    scorecard.AddCourse();
    scorecard.SelectRow(0);

    scorecard.View().course.Type(c.course);
    scorecard.View().scores[0] = c.first;
    (scorecard.*c.press)();
    EXPECT_EQ(Tables(scorecard), c.tables);
    ASSERT_EQ(h.prompter.messages.size(), c.blank ? 1u : 0u);
    for (const Message& box : h.prompter.messages)
      EXPECT_EQ(box.text, "Course Name Blank.\r\nNo entry added.");

    // What the window shows is what the next start reads, in full.
    ASSERT_TRUE(scorecard.OnDestroy());
    h.Make().OnInitDialog();
    h.scorecard->TellUnreadFiles();
    EXPECT_EQ(Tables(*h.scorecard), c.tables);
    EXPECT_EQ(h.prompter.messages.size(), c.blank ? 1u : 0u);
  }
}

}  // namespace
}  // namespace larkspin::testing
