// All or nothing: a file that cannot be read gives no rows at all, and says where and why.

#include <gtest/gtest.h>

#include "ExchangeTestSupport.h"
#include "ExchangeTexts.h"

namespace larkspin::testing {
namespace {

struct RefusalCase {
  const char* what;
  std::string csv;
  long long line;
  int column;
  std::string columnName;
  std::string reason;  // the start of it
};

TEST(CsvRefusal, EachFault_givesNoRowsAndNamesLineAndColumn) {
  const RefusalCase cases[] = {
      {"a quote never closed, lines counted past empty ones",
       "COURSE,DATE\r\n\r\nPine,2003\r\nOak,\"2003\r\nElm,2004\r\n", 4, 2, "DATE",
       "the quote that opens the cell is never closed"},
      {"a row with more cells than the header", "COURSE,DATE\nPine,2003\nOak,2003,x\n", 3, 3, "",
       "the row has 3 cells, more than the 2 columns"},
      {"no COURSE column", "NAME,DATE\r\nPine,2003\r\n", 1, 0, "", "no column is named COURSE"},
      {"a cell holding a line break", "DATE;COURSE\r\n2003;\"Pine\nNorth\"\r\n", 2, 2, "COURSE",
       "the cell holds a line break"},
      {"a quote inside a cell not quoted", "COURSE\rPine\rOa\"k\r", 3, 1, "COURSE",
       "a double quote stands inside a cell"},
      {"text after a closing quote", "COURSE,DATE\r\n\"Pine\" ,2003\r\n", 2, 1, "COURSE",
       "text follows the closing quote"},
      {"an empty file", "\xEF\xBB\xBF", 0, 0, "", "it is empty"},
      {"a column's name longer than 64 KB", "COURSE," + std::string(70000, 'x') + "\r\n", 1, 2, "",
       "a cell of the first row is longer than 65,536 bytes"},
      {"UTF-16 with its byte-order mark",
       std::string("\xFF\xFE"
                   "C\0O\0U\0R\0S\0E\0\r\0\n\0",
                   18),
       0, 0, "", "it is UTF-16; save it as UTF-8 or CSV"},
      {"UTF-32 without one", std::string("\0\0\0C\0\0\0O", 8), 0, 0, "",
       "it is UTF-32; save it as UTF-8 or CSV"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.what);
    RoundTable table;
    table.InsertRow(0, MakeRound("Birch"));
    const RoundImportPlan plan = PlanRounds(c.csv, table);
    ASSERT_TRUE(plan.problem);
    EXPECT_EQ(plan.problem->line, c.line);
    EXPECT_EQ(plan.problem->column, c.column);
    EXPECT_EQ(plan.problem->columnName, c.columnName);
    EXPECT_TRUE(plan.problem->reason.starts_with(c.reason)) << plan.problem->reason;
    EXPECT_TRUE(plan.rows.empty());
    EXPECT_EQ(plan.rowsWithoutCourse, 0u);
    EXPECT_EQ(table.RowCount(), 1);
  }
}

TEST(CsvRefusal, Description_namesFileLineAndColumn) {
  const CsvProblem problem{4, 2, "DATE", "the quote that opens the cell is never closed"};
  EXPECT_EQ(DescribeCsvProblem(problem, "golf.csv"),
            "golf.csv, line 4, column 2 (DATE): the quote that opens the cell is never closed.");
  EXPECT_EQ(DescribeCsvProblem({1, 0, "", "no column is named COURSE"}, "golf.csv"),
            "golf.csv, line 1: no column is named COURSE.");
}

}  // namespace
}  // namespace larkspin::testing
