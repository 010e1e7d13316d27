// Export writes RFC 4180 CSV that reads back into the very same table; what a spreadsheet program
// saves from it reads back into that table too.

#include <gtest/gtest.h>

#include <QDir>

#include "ExchangeTestSupport.h"
#include "support/CsvRoundTrip.h"

namespace larkspin::testing {
namespace {

std::string Join(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i)
    line += (i > 0 ? "," : "") + fields[i];
  return line + "\r\n";
}

std::string TestCsv(const char* name) {
  return TestDataBytes((std::string("csv/") + name).c_str());
}

TEST(CsvExport, Rounds_areRfc4180WithByteOrderMarkHeaderAndCrLf) {
  RoundTable table;
  FillTable(table, {MakeRound("Pine, North", "2003-09-01",
                              {{ScoreColumn(1), "4"},
                               {DriveColumn(2), "two\r\nlines"},
                               {PuttsColumn(1), "2"},
                               {ClubColumn(18), "7\"I"}}),
                    MakeRound("Caf\xC3\xA9 Links")});
  std::vector<std::string> first(kRoundColumns);
  first[0] = "\"Pine, North\"";
  first[1] = "2003-09-01";
  first[2] = "4";                  // S1
  first[21] = "\"two\r\nlines\"";  // D2
  first[38] = "2";                 // P1: the putts come before the clubs, as in lks.dat
  first[73] = "\"7\"\"I\"";        // C18
  std::vector<std::string> second(kRoundColumns);
  second[0] = "Caf\xC3\xA9 Links";

  const std::string header =
      "COURSE,DATE,S1,S2,S3,S4,S5,S6,S7,S8,S9,S10,S11,S12,S13,S14,S15,S16,S17,S18,"
      "D1,D2,D3,D4,D5,D6,D7,D8,D9,D10,D11,D12,D13,D14,D15,D16,D17,D18,"
      "P1,P2,P3,P4,P5,P6,P7,P8,P9,P10,P11,P12,P13,P14,P15,P16,P17,P18,"
      "C1,C2,C3,C4,C5,C6,C7,C8,C9,C10,C11,C12,C13,C14,C15,C16,C17,C18\r\n";
  EXPECT_EQ(RoundsCsv(table), "\xEF\xBB\xBF" + header + Join(first) + Join(second));
}

TEST(CsvExport, Courses_haveCourseDateAndPars) {
  CourseTable table;
  CourseRecord course;
  course[kCourseNameCell] = "Oak Hills";
  course[ParCell(1)] = "3";
  course[ParCell(18)] = "5";
  table.InsertAtTop(course);
  EXPECT_EQ(CoursesCsv(table),
            "\xEF\xBB\xBF"
            "COURSE,DATE,S1,S2,S3,S4,S5,S6,S7,S8,S9,S10,S11,S12,S13,S14,S15,S16,S17,S18\r\n"
            "Oak Hills,,3,,,,,,,,,,,,,,,,,5\r\n");
}

TEST(CsvRoundTrip, TableToCsvToTable_givesTheSameRowsInTheSameOrder) {
  RoundTable table;
  FillTable(
      table,
      {MakeRound("Pine, \"North\"", "2003-09-01", {{ScoreColumn(1), "4"}, {ClubColumn(1), "D"}}),
       MakeRound("  Caf\xC3\xA9 Links", "", {{PuttsColumn(18), "2"}, {DriveColumn(9), "a;b"}}),
       MakeRound("Pine, \"North\"", "2003-09-01"),  // a duplicate within the table
       MakeRound("Z\xC3\xBCrich =1", "2003-09-03", {{ScoreColumn(18), "9"}})});
  RoundTable empty;
  RoundImportPlan plan = PlanRounds(RoundsCsv(table), empty);
  ASSERT_FALSE(plan.problem);
  RoundTable imported;
  imported.InsertRowsAtTop(TakeRowsToImport(plan, true));
  ASSERT_EQ(imported.RowCount(), table.RowCount());
  for (int row = 0; row < table.RowCount(); ++row)
    EXPECT_EQ(imported.Row(row), table.Row(row)) << row;
  EXPECT_EQ(RoundsCsv(imported), RoundsCsv(table));

  CourseTable courses;
  CourseRecord course;
  course[kCourseNameCell] = "Oak, \"Hills\"";
  course[kCourseDateCell] = "2003-09-01";
  course[ParCell(9)] = "4";
  courses.InsertAtTop(course);
  CourseImportPlan coursePlan = PlanCourses(CoursesCsv(courses), CourseTable{});
  ASSERT_FALSE(coursePlan.problem);
  EXPECT_EQ(TakeRowsToImport(coursePlan, true), std::vector<CourseRecord>{course});
}

// exported_rounds.csv was written by this program; libreoffice_rounds.csv is what LibreOffice
// Calc saved after opening it (semicolons, quoted texts, LF); windows_rounds.csv is saved the
// way spreadsheet programs on Windows save "CSV" in a German locale: Windows-1252, semicolons,
// columns moved and renamed in lower case, and a column of notes.
TEST(CsvRoundTrip, SpreadsheetCsvToTableToCsv_givesTheExportedFileAgain) {
  const std::string exported = TestCsv("exported_rounds.csv");
  for (const char* saved : {"libreoffice_rounds.csv", "windows_rounds.csv"}) {
    SCOPED_TRACE(saved);
    RoundTable empty;
    RoundImportPlan plan = PlanRounds(TestCsv(saved), empty);
    ASSERT_FALSE(plan.problem) << plan.problem->reason;
    RoundTable table;
    table.InsertRowsAtTop(TakeRowsToImport(plan, true));
    EXPECT_EQ(RoundsCsv(table), exported);
  }
}

TEST(CsvRoundTrip, EveryCsvTestFile_readsBackAsWritten) {
  const QDir testData(QStringLiteral(LARKSPIN_TEST_DATA "/csv"));
  const QStringList names = testData.entryList(QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    const std::string bytes = TestCsv(name.toStdString().c_str());
    EXPECT_EQ(CheckCsvRoundTrip(bytes), "") << name.toStdString();
  }
}

}  // namespace
}  // namespace larkspin::testing
