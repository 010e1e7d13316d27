// Before an import changes anything: which rows the tables already have, and the question that
// tells the user.

#include <gtest/gtest.h>

#include "ExchangeTestSupport.h"
#include "ExchangeTexts.h"

namespace larkspin::testing {
namespace {

TEST(ImportPlan, RoundDuplicates_areTheSameCourseAndDateExactly) {
  RoundTable table;
  FillTable(table, {MakeRound("Pine", "2003-09-01"), MakeRound("Oak", "2003-09-02")});
  RoundImportPlan plan = PlanRounds(
      "COURSE,DATE,S1\r\n"
      "Pine,2003-09-01,4\r\n"  // the same
      "Pine,2003-09-02,5\r\n"  // another date
      "oak,2003-09-02,6\r\n"   // another course: names are compared exactly
      "Oak,2003-09-02,7\r\n"   // the same
      "Oak,2003-09-02,8\r\n",  // the same again: each row is compared with the table only
      table);
  EXPECT_EQ(plan.duplicates, 3u);
  EXPECT_EQ(plan.duplicate, (std::vector<bool>{true, false, false, true, true}));

  RoundImportPlan all = plan;
  EXPECT_EQ(DescribePlannedRounds(std::move(all)).size(), 5u);
  RoundTable skipped;
  skipped.InsertRowsAtTop(TakeRowsToImport(plan, true));
  EXPECT_EQ(DescribeRows(skipped),
            (std::vector<std::string>{"Pine; Date=2003-09-02; 1=5", "oak; Date=2003-09-02; 1=6"}));
}

TEST(ImportPlan, CourseDuplicates_areTheSameName) {
  CourseTable table;
  CourseRecord pine;
  pine[kCourseNameCell] = "Pine";
  pine[kCourseDateCell] = "2003-01-01";
  table.InsertAtTop(pine);
  CourseImportPlan plan =
      PlanCourses("COURSE,DATE,S1,D1\r\nPine,2024-05-01,3,250\r\nOak,,4,\r\n", table);
  EXPECT_EQ(plan.duplicate, (std::vector<bool>{true, false}));
  EXPECT_EQ(plan.columnsNotImported, std::vector<std::string>{"D1"});
  const std::vector<CourseRecord> rows = TakeRowsToImport(plan, true);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][kCourseNameCell], "Oak");
  EXPECT_EQ(rows[0][ParCell(1)], "4");
}

// A table only holds what lks.dat and courses.dat give back, as after Add Score (StorableText).
TEST(ImportPlan, CellsTheFilesCannotHold_areMadeStorableAndBlankCoursesLeftOut) {
  RoundImportPlan rounds = PlanRounds("COURSE,S1\r\nPine\tHills ,4\x1A\r\n\" \",5\r\n", {});
  EXPECT_EQ(rounds.rowsWithoutCourse, 1u);
  EXPECT_EQ(DescribePlannedRounds(std::move(rounds)), std::vector<std::string>{"Pine Hills; 1=4"});
  CourseImportPlan courses = PlanCourses("COURSE,S1\r\nElm\x7F,3 \r\n\"\t\",4\r\n", {});
  EXPECT_EQ(courses.rowsWithoutCourse, 1u);
  ASSERT_EQ(courses.rows.size(), 1u);
  EXPECT_EQ(courses.rows[0][kCourseNameCell] + ";" + courses.rows[0][ParCell(1)], "Elm;3");
}

TEST(ImportPlan, Question_namesFileCountsAndWhatIsLeftOut) {
  struct QuestionCase {
    ExchangeKind kind;
    std::size_t rows;
    std::size_t duplicates;
    std::size_t withoutCourse;
    std::vector<std::string> columns;
    std::string question;
  };
  const QuestionCase cases[] = {
      {ExchangeKind::kRounds,
       120,
       3,
       0,
       {"Notes"},
       "Import 120 rounds from golf.csv? 3 of them have the same course and date as rounds "
       "already in the list. Columns not imported: Notes."},
      {ExchangeKind::kRounds,
       1,
       1,
       1,
       {},
       "Import 1 round from golf.csv? 1 of them has the same course and date as a round already "
       "in the list. 1 row without a course is left out."},
      {ExchangeKind::kCourses,
       5,
       2,
       2,
       {"D1", "Tee"},
       "Import 5 courses from golf.csv? 2 of them have the same name as courses already in the "
       "list. 2 rows without a course are left out. Columns not imported: D1, Tee."},
      {ExchangeKind::kCourses, 1, 0, 0, {}, "Import 1 course from golf.csv?"},
      {ExchangeKind::kCourses,
       1,
       0,
       0,
       {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"},
       "Import 1 course from golf.csv? Columns not imported: A, B, C, D, E, F, G, H, I, J and 2 "
       "more."},
  };
  for (const QuestionCase& c : cases) {
    ImportPlan plan;
    plan.duplicates = c.duplicates;
    plan.rowsWithoutCourse = c.withoutCourse;
    plan.columnsNotImported = c.columns;
    EXPECT_EQ(ImportQuestion(c.kind, plan, c.rows, "golf.csv"), c.question);
  }
}

}  // namespace
}  // namespace larkspin::testing
