// Dates in the forms spreadsheets write, read into Larkspin's YYYY-MM-DD: each form once, and how
// the dates of a whole file decide whether and how they are converted.

#include <gtest/gtest.h>

#include <QBuffer>

#include "CourseBook.h"
#include "CsvImportRun.h"
#include "ExchangeTestSupport.h"
#include "RoundBook.h"

namespace larkspin::testing {
namespace {

TEST(CsvDates, EachForm_readsInTheOrdersItCan) {
  const struct {
    const char* date;
    const char* dayFirst;  // "": not read so
    const char* monthFirst;
  } cases[] = {
      {"17/05/2025", "2025-05-17", ""},  // a day above 12
      {"5/17/2025", "", "2025-05-17"},
      {"05/06/2025", "2025-06-05", "2025-05-06"},
      {"17.05.2025", "2025-05-17", ""},  // dots: day first alone
      {"5.6.2025", "2025-06-05", ""},
      {"17-5-2025", "2025-05-17", ""},
      {"2025/5/17", "2025-05-17", "2025-05-17"},  // the year first: one day either way
      {"2025.05.17", "2025-05-17", "2025-05-17"},
      {"2025-5-7", "2025-05-07", "2025-05-07"},
      {"2025-05-17", "", ""},  // Larkspin's own form, left as it is
      {"", "", ""},
      {"31/04/2025", "", ""},  // no such day
      {"17/05/25", "", ""},    // no century
      // Every digit in a day or a month, and in a year.
      {"19/09/2019", "2019-09-19", ""},
      {"9/29/2053", "", "2053-09-29"},
      {"08/07/1964", "1964-07-08", "1964-08-07"},
      {"24/06/1987", "1987-06-24", ""},
      {"3.5.2078", "2078-05-03", ""},
      {"2019.9.29", "2019-09-29", "2019-09-29"},
      {"17/05/202", "", ""},  // a year of three digits or five
      {"17/05/20250", "", ""},
      {"202/05/17", "", ""},
      {"20250/05/17", "", ""},
      {"0999/01/01", "", ""},
      {"17/05-2025", "", ""},
      {"17/05/2025 10:30", "", ""},
      {"May 17, 2025", "", ""},
  };
  const auto read = [](const char* date) {
    return *date ? std::optional<std::string>(date) : std::nullopt;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    EXPECT_EQ(IsoDate(c.date, DateOrder::kDayFirst), read(c.dayFirst));
    EXPECT_EQ(IsoDate(c.date, DateOrder::kMonthFirst), read(c.monthFirst));
    EXPECT_FALSE(IsoDate(c.date, DateOrder::kAsWritten));
  }
}

// Answers as told, and keeps what it was asked and told.
class ScriptedDialogue final : public ImportDialogue {
 public:
  void Refuse(const std::string& problem) override { told = problem; }
  void TellNothing(ExchangeKind /*kind*/, const ImportPlan& /*plan*/) override {}
  std::optional<DateOrder> DateOrderGiven() const override { return given; }
  std::optional<DateOrder> ChooseDateOrder(ExchangeKind /*kind*/, const ImportPlan& plan) override {
    told = DateQuestion(plan, "golf.csv");
    return DateOrder::kMonthFirst;
  }
  std::optional<bool> Confirm(ExchangeKind kind, const ImportPlan& plan) override {
    told += ImportQuestion(kind, plan, plan.duplicate.size(), "golf.csv");
    return false;
  }

  std::optional<DateOrder> given;
  std::string told;
};

TEST(CsvDates, WholeFile_isConvertedWhenItReadsOneWay) {
  const struct {
    const char* rule;
    std::vector<std::string> dates;  // of the rows, in order
    std::optional<DateOrder> given;
    std::vector<std::string> imported;  // empty: nothing
    std::string told;                   // the end of what the dialogue was told
  } cases[] = {
      {"a day above 12 in any row: day first, the year first too",
       {"05/06/2025", "17/05/2025", "2025/05/17"},
       {},
       {"2025-06-05", "2025-05-17", "2025-05-17"},
       "? 3 dates are read day first and written YYYY-MM-DD (05/06/2025 as 2025-06-05)."},
      {"a month above 12: month first",
       {"5/17/2025", "05/06/2025"},
       {},
       {"2025-05-17", "2025-05-06"},
       "? 2 dates are read month first and written YYYY-MM-DD (5/17/2025 as 2025-05-17)."},
      {"dots: day first", {"05.06.2025", "05/06/2025"}, {}, {"2025-06-05", "2025-06-05"}, ""},
      {"nothing tells: asked, answered month first; a date converted duplicates a round",
       {"05/06/2025", "2025-03-04", "03/04/2025"},
       {},
       {"2025-05-06", "2025-03-04", "2025-03-04"},
       "The dates of golf.csv read both day first and month first: 05/06/2025 is 2025-06-05 day "
       "first, 2025-05-06 month first. How are they written?Import 3 rounds from golf.csv? 2 of "
       "them have the same course and date as rounds already in the list. 2 dates are read month "
       "first and written YYYY-MM-DD (05/06/2025 as 2025-05-06)."},
      {"one day whichever way: not asked",
       {"2025/5/17", "05/05/2025"},
       {},
       {"2025-05-17", "2025-05-05"},
       "? 2 dates are written YYYY-MM-DD (2025/5/17 as 2025-05-17)."},
      {"not all one way: kept",
       {"17/05/2025", "5/17/2025"},
       {},
       {"17/05/2025", "5/17/2025"},
       "? 2 dates are kept as written, as they do not all read one way: line 2 (17/05/2025) "
       "reads only day first, line 3 (5/17/2025) only month first."},
      {"a date in no form: kept",
       {"17/05/2025", "yesterday"},
       {},
       {"17/05/2025", "yesterday"},
       "? 2 dates are kept as written: line 3 (yesterday) is a date in no form Larkspin reads."},
      {"an order given, read so", {"05/06/2025"}, DateOrder::kDayFirst, {"2025-06-05"}, ""},
      {"an order given that a date does not read: refused",
       {"05/06/2025", "17/05/2025"},
       DateOrder::kMonthFirst,
       {},
       "golf.csv, line 3: the date 17/05/2025 does not read month first."},
      {"kept as written, as given",
       {"05/06/2025"},
       DateOrder::kAsWritten,
       {"05/06/2025"},
       "? 1 date is kept as written."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    std::string csv = "COURSE,DATE\r\n";
    for (const std::string& date : c.dates)
      csv += "Pine," + date + "\r\n";
    ChangeHistory history;
    RoundBook book("unused", history);
    book.Import({PackedRound(MakeRound("Pine", "2025-03-04"))});
    ScriptedDialogue dialogue;
    dialogue.given = c.given;
    QByteArray bytes = QByteArray::fromStdString(csv);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ImportCsv(buffer, "golf.csv", book, dialogue);
    EXPECT_TRUE(dialogue.told.ends_with(c.told)) << dialogue.told;
    std::vector<std::string> imported = ColumnTexts(book.Table(), kDateColumn);
    imported.pop_back();
    EXPECT_EQ(imported, c.imported);
  }
}

TEST(CsvDates, CourseDates_areConvertedAlike) {
  ChangeHistory history;
  CourseBook book("unused", history);
  ScriptedDialogue dialogue;
  QByteArray bytes = "COURSE,DATE\r\nPine,17.05.2025\r\n";
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  ImportCsv(buffer, "golf.csv", book, dialogue);
  ASSERT_EQ(book.Table().RowCount(), 1);
  EXPECT_EQ(book.Table().Row(0)[kCourseDateCell], "2025-05-17");
}

}  // namespace
}  // namespace larkspin::testing
