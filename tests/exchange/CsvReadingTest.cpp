// How an import reads a CSV file: what this program writes and what spreadsheet programs save.
// Each rule once; the rows are described as "course; heading=text; ..." for the cells not empty.

#include <gtest/gtest.h>

#include "ExchangeTestSupport.h"

namespace larkspin::testing {
namespace {

struct ReadingCase {
  const char* rule;
  std::string csv;
  std::vector<std::string> rows;
  std::size_t rowsWithoutCourse = 0;
  std::vector<std::string> columnsNotImported = {};
};

TEST(CsvReading, EachRule) {
  const ReadingCase cases[] = {
      {"byte-order mark, CR LF",
       "\xEF\xBB\xBF"
       "COURSE,DATE,S1\r\nPine,2003-09-01,4\r\n",
       {"Pine; Date=2003-09-01; 1=4"}},
      {"a byte-order mark read as Windows-1252 and saved as UTF-8",
       "\xC3\xAF\xC2\xBB\xC2\xBF"
       "COURSE,S1\r\nPine,4\r\n",
       {"Pine; 1=4"}},
      {"no byte-order mark, LF, no line end after the last row",
       "COURSE,DATE\nPine,2003-09-01\nOak,2003-09-02",
       {"Pine; Date=2003-09-01", "Oak; Date=2003-09-02"}},
      {"CR alone ends a line", "COURSE,P18\rPine,2\rOak,3\r", {"Pine; P18=2", "Oak; P18=3"}},
      {"semicolons, decided by the header row",
       "COURSE;DATE;D1\r\n\"Pine, North\";2003,09;250\r\n",
       {"Pine, North; Date=2003,09; D1=250"}},
      {"column names in any order and any case, spaces around them",
       " s1 ,Course,date\r\n4,Pine,2003-09-01\r\n",
       {"Pine; Date=2003-09-01; 1=4"}},
      {"unknown columns left out and named, an unnamed one by its number",
       "COURSE,Notes,C1,,Tee\r\nPine,windy,7I,x,red\r\n",
       {"Pine; C1=7I"},
       0,
       {"Notes", "column 4", "Tee"}},
      {"a column named twice: the first is read",
       "COURSE,S1,s1\r\nPine,4,5\r\n",
       {"Pine; 1=4"},
       0,
       {"s1"}},
      {"missing columns and cells are empty",
       "COURSE,S1,S2\r\nPine\r\nOak,3\r\n",
       {"Pine", "Oak; 1=3"}},
      {"a cell not UTF-8 is Windows-1252, each on its own",
       "COURSE,DATE\r\nCaf\xE9 Links,Z\xC3\xBCrich\r\n",
       {"Caf\xC3\xA9 Links; Date=Z\xC3\xBCrich"}},
      {"trailing spaces and tabs dropped, leading ones kept",
       "COURSE,DATE\r\n  Pine \t, 2003 \r\n",
       {"  Pine; Date= 2003"}},
      {"quoted cells hold separators and doubled quotes",
       "COURSE,C1,C2\r\n\"Pine \"\"Old\"\", North\",\"7I\",\"\"\r\n",
       {"Pine \"Old\", North; C1=7I"}},
      {"empty lines are skipped", "COURSE\r\n\r\nPine\r\n\r\n\r\nOak\r\n\r\n", {"Pine", "Oak"}},
      {"rows with an empty COURSE are left out and counted",
       "COURSE,S1\r\n,4\r\nPine,3\r\n  ,5\r\n,\r\n",
       {"Pine; 1=3"},
       3},
  };
  for (const ReadingCase& c : cases) {
    SCOPED_TRACE(c.rule);
    RoundTable empty;
    RoundImportPlan plan = PlanRounds(c.csv, empty);
    ASSERT_FALSE(plan.problem) << plan.problem->reason;
    EXPECT_EQ(plan.rowsWithoutCourse, c.rowsWithoutCourse);
    EXPECT_EQ(plan.columnsNotImported, c.columnsNotImported);
    EXPECT_EQ(DescribePlannedRounds(std::move(plan)), c.rows);
  }
}

}  // namespace
}  // namespace larkspin::testing
