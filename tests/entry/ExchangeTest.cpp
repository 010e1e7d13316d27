// File > Export and Import on the window's logic: the file dialogs, the question and the boxes are
// answered by fakes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>

#include "CsvWriter.h"
#include "DiskFile.h"
#include "ExchangeTexts.h"
#include "RoundFile.h"
#include "support/FakeServices.h"
#include "support/Files.h"

namespace larkspin::testing {
namespace {

using ::testing::ElementsAre;

const std::string kRounds =
    "CREATOR=LARKSP 1.0\r\nCOURSE=Pine\r\nDATE=2003-09-01\r\nS1=4\r\n\r\n"
    "COURSE=Oak\r\nDATE=2003-09-02\r\nS1=5\r\n";
const std::string kCourses = "CREATOR=LARKSP 1.0\r\nCOURSE=Pine\r\nDATE=\r\nS1=3\r\n";

std::string Bytes(const QString& path) {
  return testing::ReadFile(path).toStdString();
}

class Exchange : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFileAtomically(h.FilePath(kRoundFileName), kRounds));
    ASSERT_TRUE(WriteFileAtomically(h.FilePath("courses.dat"), kCourses));
    sc.OnInitDialog();
  }

  // A CSV file beside the data files, chosen in the next file dialog.
  QString Choose(const char* name, std::string_view bytes = {}) {
    const QString path = h.FilePath(name);
    if (!bytes.empty()) {
      EXPECT_TRUE(WriteFileAtomically(path, bytes));
    }
    h.fileChooser.path = path;
    return path;
  }

  ScorecardHarness h;
  Scorecard& sc = h.Make();
};

TEST_F(Exchange, ImportRounds_theThreeAnswers) {
  const std::string csv =
      "COURSE,DATE,S1,Notes\r\nElm,2003-09-03,3,x\r\nOak,2003-09-02,6,\r\nAsh,,2,\r\n";
  struct AnswerCase {
    int choice;
    std::vector<std::string> courses;
  };
  const AnswerCase cases[] = {
      {0, {"Elm", "Oak", "Ash", "Oak", "Pine"}},  // "Import All"
      {1, {"Elm", "Ash", "Oak", "Pine"}},         // "Skip Duplicates"
      {2, {"Oak", "Pine"}},                       // "Cancel"
  };
  for (const AnswerCase& c : cases) {
    ScorecardHarness harness;
    ASSERT_TRUE(WriteFileAtomically(harness.FilePath(kRoundFileName), kRounds));
    Scorecard& scorecard = harness.Make();
    scorecard.OnInitDialog();
    scorecard.SelectRow(1);  // Pine
    harness.fileChooser.path = harness.FilePath("golf.csv");
    ASSERT_TRUE(WriteFileAtomically(harness.fileChooser.path, csv));
    harness.prompter.choices = {c.choice};

    scorecard.ImportRounds();

    EXPECT_THAT(harness.fileChooser.titles, ElementsAre("Import Rounds"));
    ASSERT_EQ(harness.prompter.messages.size(), 1u);
    const Message& question = harness.prompter.messages[0];
    EXPECT_EQ(question.title, "Import Rounds");
    EXPECT_EQ(question.text,
              "Import 3 rounds from golf.csv? 1 of them has the same course and date as a round "
              "already in the list. Columns not imported: Notes.");
    EXPECT_THAT(question.buttons, ElementsAre("Import All", "Skip Duplicates", "Cancel"));
    EXPECT_EQ(ColumnTexts(scorecard.Rounds().Table(), kCourseColumn), c.courses);
    EXPECT_EQ(scorecard.View().roundCount, static_cast<int>(c.courses.size()));
    EXPECT_EQ(scorecard.Rounds().Table().Cell(scorecard.Rounds().SelectedRow(), kCourseColumn),
              "Pine");
  }
}

// A file whose dates do not show whether the day or the month comes first: the window asks before
// the question of the import, and the rounds go in with the dates as answered.
TEST_F(Exchange, ImportRounds_datesThatReadBothWays_areAskedAbout) {
  Choose("golf.csv", "COURSE,DATE\r\nElm,05/06/2025\r\nAsh,03/04/2025\r\n");
  h.prompter.choices = {0, 0};  // "Day first", "Import All"
  sc.ImportRounds();
  ASSERT_EQ(h.prompter.messages.size(), 2u);
  EXPECT_EQ(h.prompter.messages[0].title, "Import Rounds");
  EXPECT_EQ(h.prompter.messages[0].text,
            "The dates of golf.csv read both day first and month first: 05/06/2025 is 2025-06-05 "
            "day first, 2025-05-06 month first. How are they written?");
  EXPECT_THAT(h.prompter.messages[0].buttons,
              ElementsAre("Day first", "Month first", "Keep as written"));
  EXPECT_EQ(h.prompter.messages[1].text,
            "Import 2 rounds from golf.csv? 2 dates are read day first and written YYYY-MM-DD "
            "(05/06/2025 as 2025-06-05).");
  EXPECT_THAT(ColumnTexts(sc.Rounds().Table(), kDateColumn),
              ElementsAre("2025-06-05", "2025-04-03", "2003-09-02", "2003-09-01"));
}

TEST_F(Exchange, ImportCourses_putsThemOnTopAndIntoTheSelector) {
  Choose("courses.csv", "COURSE,S1\r\nZeta,4\r\nPine,5\r\nAlder,3\r\n");
  h.prompter.choices = {1};  // "Skip Duplicates"
  sc.ImportCourses();
  ASSERT_EQ(h.prompter.messages.size(), 1u);
  EXPECT_EQ(h.prompter.messages[0].text,
            "Import 3 courses from courses.csv? 1 of them has the same name as a course already "
            "in the list.");
  ASSERT_EQ(sc.Courses().Table().RowCount(), 3);
  EXPECT_EQ(sc.Courses().Table().Row(0)[kCourseNameCell], "Zeta");
  EXPECT_EQ(sc.Courses().Table().Row(1)[kCourseNameCell], "Alder");
  EXPECT_THAT(sc.View().course.Entries(), ElementsAre("Alder", "Pine", "Zeta"));
}

// Nothing is read from a file that cannot be read in full: one box says why, and neither the
// tables nor any file change.
TEST_F(Exchange, Refusals_leaveTablesAndFilesAsTheyWere) {
  struct RefusalCase {
    const char* name;
    std::string csv;
    std::string box;  // empty: none
  };
  const QString dir = QDir::toNativeSeparators(h.dir.path()) + QDir::separator();
  const RefusalCase cases[] = {
      {"unbalanced.csv", "COURSE,DATE\r\nElm,\"2003\r\n",
       dir.toStdString() +
           "unbalanced.csv, line 2, column 2 (DATE): the quote that opens the cell is never "
           "closed.\r\nNothing was imported."},
      {"missing.csv", "",
       dir.toStdString() + "missing.csv: no such file.\r\nNothing was imported."},
      {"nothing.csv", "COURSE,S1\r\n,4\r\n",
       "nothing.csv holds no rounds to import. 1 row without a course is left out."},
      {"", "", ""},  // the dialog cancelled
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString csv = *c.name ? Choose(c.name, c.csv) : QString();
    h.fileChooser.path = csv;
    h.prompter.messages.clear();
    h.prompter.choices = {0};
    sc.ImportRounds();
    sc.ImportCourses();
    if (c.box.empty()) {
      EXPECT_TRUE(h.prompter.messages.empty());
    } else {
      ASSERT_EQ(h.prompter.messages.size(), 2u);
      EXPECT_FALSE(h.prompter.messages[0].question);
      EXPECT_EQ(h.prompter.messages[0].text.substr(0, c.box.size()), c.box);
    }
    EXPECT_THAT(ColumnTexts(sc.Rounds().Table(), kCourseColumn), ElementsAre("Oak", "Pine"));
    EXPECT_EQ(sc.Courses().Table().RowCount(), 1);
    EXPECT_EQ(sc.View().course.Entries().size(), 1u);
    if (!c.csv.empty()) {
      EXPECT_EQ(Bytes(csv), c.csv);
    }
  }
  EXPECT_EQ(Bytes(h.FilePath(kRoundFileName)), kRounds);
  EXPECT_EQ(Bytes(h.FilePath("courses.dat")), kCourses);
}

TEST_F(Exchange, Import_isOneStepOfTheHistory) {
  Choose("golf.csv", "COURSE,DATE\r\nElm,2003-09-03\r\nAsh,2003-09-04\r\n");
  h.prompter.choices = {0, 0};
  sc.ImportRounds();
  sc.ImportCourses();
  EXPECT_EQ(sc.History().UndoText(), "Undo Import");
  sc.Undo();
  EXPECT_EQ(sc.Courses().Table().RowCount(), 1);
  EXPECT_THAT(sc.View().course.Entries(), ElementsAre("Pine"));
  EXPECT_EQ(sc.History().UndoText(), "Undo Import");
  sc.Undo();
  EXPECT_THAT(ColumnTexts(sc.Rounds().Table(), kCourseColumn), ElementsAre("Oak", "Pine"));
  EXPECT_EQ(sc.View().roundCount, 2);
  sc.Redo();
  EXPECT_THAT(ColumnTexts(sc.Rounds().Table(), kCourseColumn),
              ElementsAre("Elm", "Ash", "Oak", "Pine"));
}

TEST_F(Exchange, ExportFailure_namesTheFileAndTheReasonAndKeepsWhatWasThere) {
  const QString folder = Choose("taken.csv");
  ASSERT_TRUE(QDir(h.dir.path()).mkdir("taken.csv"));
  sc.ExportRounds();
  ASSERT_EQ(h.prompter.messages.size(), 1u);
  EXPECT_EQ(h.prompter.messages[0].title, "Error Writing File");
  EXPECT_TRUE(h.prompter.messages[0].text.starts_with(
      "Save to File\r\n" + QDir::toNativeSeparators(folder).toStdString() + ": "))
      << h.prompter.messages[0].text;
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

// Exported, then imported into an empty folder: the same tables, byte for byte the same files.
TEST_F(Exchange, ExportThenImportIntoAnEmptyFolder_givesIdenticalDataFiles) {
  const QString rounds = Choose("rounds.csv");
  sc.ExportRounds();
  EXPECT_THAT(h.fileChooser.suggestedNames, ElementsAre("rounds.csv"));
  const QString courses = Choose("courses.csv");
  sc.ExportCourses();
  ASSERT_TRUE(h.prompter.messages.empty());
  ASSERT_TRUE(sc.OnDestroy());

  ScorecardHarness empty;
  Scorecard& other = empty.Make();
  other.OnInitDialog();
  for (const QString& csv : {rounds, courses}) {
    empty.fileChooser.path = csv;
    empty.prompter.choices = {0};
    csv == rounds ? other.ImportRounds() : other.ImportCourses();
  }
  ASSERT_TRUE(other.OnDestroy());
  EXPECT_EQ(Bytes(empty.FilePath(kRoundFileName)), Bytes(h.FilePath(kRoundFileName)));
  EXPECT_EQ(Bytes(empty.FilePath("courses.dat")), Bytes(h.FilePath("courses.dat")));
}

}  // namespace
}  // namespace larkspin::testing
