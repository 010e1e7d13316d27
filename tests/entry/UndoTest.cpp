// Undo and Redo take back and make again every change of the rounds and courses: the tables, the
// saved files, what the window shows and what a start after a crash brings back come back exactly,
// wherever a sort has moved the rows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "entry/RoundTestSupport.h"

namespace larkspin::testing {
namespace {

using Texts = std::vector<std::string>;

struct Step {
  std::string name;  // as Undo and Redo name it
  std::function<void(Scorecard&)> make;
  int selectedAfterUndo;  // the round list's selection; -1 for none
  int selectedAfterRedo;
  std::string shownAfterUndo;  // the course selector's text
  std::string shownAfterRedo;
};

void PrintTo(const Step& step, std::ostream* out) {
  *out << step.name;
}

// A click on a round, then the grid's course and first score set, as a user types them.
void EditRound(Scorecard& sc, int row, const std::string& course, const std::string& score) {
  sc.SelectRow(row);
  sc.OnClickRoundList();
  sc.View().course.Type(course);
  sc.View().scores[0] = score;
}

void PickCourse(Scorecard& sc, std::string_view name) {
  sc.View().course.Pick(sc.View().course.FindExact(name));
  sc.OnSelchangeCourse();
}

class UndoFixture : public ::testing::Test {
 protected:
  // Rounds Oak Creek, Château Vert, Pine Hills from the top; courses Pine Valley, Oak & <Hills>.
  // Every question is answered Yes.
  UndoFixture() {
    h.prompter.defaultAnswer = true;
    EXPECT_TRUE(WriteFileAtomically(h.FilePath("lks.dat"), TestDataBytes("three_rounds.dat")));
    EXPECT_TRUE(
        WriteFileAtomically(h.FilePath("courses.dat"), TestDataBytes("report_courses.dat")));
    sc.OnInitDialog();
  }
  // Both files as closing the window would write them now.
  std::pair<std::string, std::string> Saved() { return SavedBy(sc, h); }
  // The same after a crash now: what the next start makes of the files and the journal.
  std::pair<std::string, std::string> SavedAfterACrash() {
    ScorecardHarness next;
    for (const char* name : {"lks.dat", "courses.dat", kJournalFileName}) {
      if (const auto bytes = ReadWholeFile(h.FilePath(name))) {
        EXPECT_TRUE(WriteFileAtomically(next.FilePath(name), *bytes));
      }
    }
    Scorecard& restarted = Journaled(next);
    restarted.OnInitDialog();
    return SavedBy(restarted, next);
  }
  Texts Courses() { return ColumnTexts(sc.Rounds().Table(), kCourseColumn); }

  static Scorecard& Journaled(ScorecardHarness& harness) {
    harness.services.journal = true;
    return harness.Make();
  }
  static std::pair<std::string, std::string> SavedBy(Scorecard& scorecard,
                                                     const ScorecardHarness& harness) {
    EXPECT_THAT(scorecard.SaveWithoutAsking(), ::testing::IsEmpty());
    return {ReadWholeFile(harness.FilePath("lks.dat")).value_or("<unreadable>"),
            ReadWholeFile(harness.FilePath("courses.dat")).value_or("<unreadable>")};
  }

  ScorecardHarness h;
  Scorecard& sc = Journaled(h);
};

class Undo : public UndoFixture, public ::testing::WithParamInterface<Step> {};

TEST_P(Undo, takesTheChangeBackAndRedoMakesItAgain_byteForByte) {
  const Step& step = GetParam();
  const auto before = Saved();
  EXPECT_EQ(sc.History().UndoText(), "Undo");
  EXPECT_FALSE(sc.History().CanUndo());

  step.make(sc);
  const auto after = Saved();
  ASSERT_NE(after, before);
  EXPECT_EQ(sc.History().UndoText(), "Undo " + step.name);
  EXPECT_EQ(sc.History().RedoText(), "Redo");

  // The files hold the change: undoing and redoing it each begin the journal again.
  sc.Undo();
  EXPECT_EQ(SavedAfterACrash(), before);
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(sc.History().RedoText(), "Redo " + step.name);
  EXPECT_FALSE(sc.History().CanUndo());
  EXPECT_EQ(sc.View().roundCount, sc.Rounds().Table().RowCount());
  EXPECT_EQ(sc.Rounds().SelectedRow(), step.selectedAfterUndo);
  EXPECT_EQ(sc.View().course.Text(), step.shownAfterUndo);

  const std::size_t asked = h.prompter.messages.size();
  sc.Redo();
  EXPECT_EQ(SavedAfterACrash(), after);
  EXPECT_EQ(Saved(), after);
  EXPECT_EQ(h.prompter.messages.size(), asked) << "a redo asks nothing";
  EXPECT_EQ(sc.History().UndoText(), "Undo " + step.name);
  EXPECT_FALSE(sc.History().CanRedo());
  EXPECT_EQ(sc.View().roundCount, sc.Rounds().Table().RowCount());
  EXPECT_EQ(sc.Rounds().SelectedRow(), step.selectedAfterRedo);
  EXPECT_EQ(sc.View().course.Text(), step.shownAfterRedo);
}

INSTANTIATE_TEST_SUITE_P(
    EveryChange, Undo,
    ::testing::Values(
        // A duplicate of Château Vert's course and date: the question is asked once, not on redo.
        Step{"Add Score",
             [](Scorecard& sc) {
               EditRound(sc, 1, "Château Vert", "9");
               sc.SelectRow(-1);
               sc.AddScore();
             },
             -1, 0, "Château Vert", "Château Vert"},
        Step{"Update Score",
             [](Scorecard& sc) {
               EditRound(sc, 1, "Elm Park", "9");
               sc.UpdateScore();
             },
             1, 1, "Château Vert", "Elm Park"},
        Step{"Remove Score",
             [](Scorecard& sc) {
               sc.SelectRow(2);
               sc.RemoveScore();
             },
             2, -1, "Pine Hills", "Pine Hills"},
        Step{"Add Course",
             [](Scorecard& sc) {
               sc.View().course.Type("Elm Park");
               sc.AddCourse();
             },
             -1, -1, "Elm Park", "Elm Park"},
        Step{"Update Course",
             [](Scorecard& sc) {
               PickCourse(sc, "Oak & <Hills>");
               sc.View().scores[17] = "6";
               sc.UpdateCourse();
             },
             -1, -1, "Oak & <Hills>", "Oak & <Hills>"},
        Step{"Remove Course",
             [](Scorecard& sc) {
               PickCourse(sc, "Pine Valley");
               sc.RemoveCourse();
             },
             -1, -1, "Pine Valley", "Pine Valley"}));

struct SortedStep {
  std::string name;
  std::function<void(Scorecard&)> make;
  Texts afterUndo;  // the courses of the rounds, top first, once the sorted table is undone
};

class UndoAfterSort : public UndoFixture, public ::testing::WithParamInterface<SortedStep> {};

// A click on "Course" between the change and the undo moves every row.
TEST_P(UndoAfterSort, findsTheRoundWhereverTheSortMovedIt) {
  GetParam().make(sc);
  sc.OnColumnClickRounds(kCourseColumn);
  sc.Undo();
  EXPECT_EQ(Courses(), GetParam().afterUndo);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, UndoAfterSort,
    ::testing::Values(SortedStep{"Add Score",
                                 [](Scorecard& sc) {
                                   sc.View().course.Type("Aspen");
                                   sc.AddScore();
                                 },
                                 {"Château Vert", "Oak Creek", "Pine Hills"}},
                      SortedStep{
                          "Update Score",
                          [](Scorecard& sc) {
                            EditRound(sc, 0, "Zelkova", "9");
                            sc.UpdateScore();
                          },
                          // Oak Creek came back where the sort had put Zelkova, at the bottom.
                          {"Château Vert", "Pine Hills", "Oak Creek"}},
                      SortedStep{"Remove Score",
                                 [](Scorecard& sc) {
                                   sc.SelectRow(0);
                                   sc.RemoveScore();
                                 },
                                 // Back where it stood, above the two the click reversed.
                                 {"Oak Creek", "Pine Hills", "Château Vert"}}),
    [](const auto& info) { return info.param.name.substr(0, info.param.name.find(' ')); });

TEST_F(UndoFixture, NewChangeAfterUndo_dropsWhatWasUndone) {
  sc.SelectRow(0);
  sc.RemoveScore();
  sc.Undo();
  sc.View().course.Type("Aspen");
  sc.AddScore();
  EXPECT_FALSE(sc.History().CanRedo());
  EXPECT_EQ(sc.History().RedoText(), "Redo");
  sc.Undo();
  EXPECT_EQ(Courses(), (Texts{"Oak Creek", "Château Vert", "Pine Hills"}));
}

}  // namespace
}  // namespace larkspin::testing
