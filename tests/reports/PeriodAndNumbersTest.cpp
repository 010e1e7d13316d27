#include <gtest/gtest.h>

#include <climits>

#include "CellNumber.h"
#include "ReportPeriod.h"

namespace larkspin {
namespace {

TEST(CellNumber, ReadsSignedLeadingDigitsAfterWhiteSpace) {
  EXPECT_EQ(CellNumber("4"), 4);
  EXPECT_EQ(CellNumber("  \t12 strokes"), 12);
  EXPECT_EQ(CellNumber("-3"), -3);
  EXPECT_EQ(CellNumber("+7"), 7);
  EXPECT_EQ(CellNumber("007"), 7);
  EXPECT_EQ(CellNumber("4.9"), 4);
}

TEST(CellNumber, IsZeroWithoutDigits) {
  EXPECT_EQ(CellNumber(""), 0);
  EXPECT_EQ(CellNumber("x3"), 0);
  EXPECT_EQ(CellNumber("-"), 0);
  EXPECT_EQ(CellNumber("- 5"), 0);
  EXPECT_EQ(CellNumber("+-5"), 0);
}

TEST(CellNumber, HoldsHugeNumbersAtTheNearestBound) {
  EXPECT_EQ(CellNumber("2147483647"), INT_MAX);
  EXPECT_EQ(CellNumber("2147483648"), INT_MAX);
  EXPECT_EQ(CellNumber("99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(CellNumber("-2147483648"), INT_MIN);
  EXPECT_EQ(CellNumber("-2147483649"), INT_MIN);
  EXPECT_EQ(CellNumber("-99999999999999999999999999"), INT_MIN);
}

// Today is the given year and month; is a round of `date` in `period`?
bool In(std::string_view date, std::string_view period, int year, int month) {
  return IsInReportPeriod(date, period, year, month);
}

TEST(ReportPeriod, OnlyTheExactTextsNarrowAReport) {
  EXPECT_EQ(ReportPeriodOf("Month"), ReportPeriod::kMonth);
  EXPECT_EQ(ReportPeriodOf("6 Months"), ReportPeriod::kSixMonths);
  EXPECT_EQ(ReportPeriodOf("Year"), ReportPeriod::kYear);
  EXPECT_EQ(ReportPeriodOf("month"), ReportPeriod::kEternity);
  EXPECT_EQ(ReportPeriodOf("Year "), ReportPeriod::kEternity);
  EXPECT_EQ(ReportPeriodOf(""), ReportPeriod::kEternity);
  EXPECT_TRUE(In("1901-01-01", "Last week", 2026, 12));
}

TEST(ReportPeriod, ARoundOfThisMonthIsInEveryPeriod) {
  for (const char* period : {"Month", "6 Months", "Year", "Eternity"}) {
    EXPECT_TRUE(In("2026-03-31", period, 2026, 3)) << period;
  }
}

TEST(ReportPeriod, MonthIsThisMonthOfThisYearOnly) {
  EXPECT_FALSE(In("2026-02-28", "Month", 2026, 3));
  EXPECT_FALSE(In("2026-04-01", "Month", 2026, 3));
  EXPECT_FALSE(In("2025-03-15", "Month", 2026, 3));
}

TEST(ReportPeriod, YearRunsFromJanuaryToThisMonth) {
  EXPECT_TRUE(In("2026-01-01", "Year", 2026, 3));
  EXPECT_TRUE(In("2026-02-15", "Year", 2026, 3));
  EXPECT_FALSE(In("2026-04-01", "Year", 2026, 3));
  EXPECT_FALSE(In("2025-12-31", "Year", 2026, 3));
  EXPECT_FALSE(In("2025-03-01", "Year", 2026, 3));
  // A later year counts in the months up to this one.
  EXPECT_TRUE(In("2027-02-01", "Year", 2026, 3));
  EXPECT_FALSE(In("2027-05-01", "Year", 2026, 3));
  // December: the whole year.
  EXPECT_TRUE(In("2026-12-31", "Year", 2026, 12));
}

TEST(ReportPeriod, SixMonthsStartsSixMonthsBackAcrossTheYearsEnd) {
  // March: from September of last year on.
  EXPECT_FALSE(In("2025-08-31", "6 Months", 2026, 3));
  EXPECT_TRUE(In("2025-09-01", "6 Months", 2026, 3));
  EXPECT_TRUE(In("2025-12-31", "6 Months", 2026, 3));
  EXPECT_TRUE(In("2026-01-10", "6 Months", 2026, 3));
  // Later rounds count too.
  EXPECT_TRUE(In("2026-11-01", "6 Months", 2026, 3));
  EXPECT_TRUE(In("2031-01-01", "6 Months", 2026, 3));
  // September: from March of this year.
  EXPECT_FALSE(In("2026-02-28", "6 Months", 2026, 9));
  EXPECT_TRUE(In("2026-03-01", "6 Months", 2026, 9));
  // June starts at "month 0": all of this year and nothing before.
  EXPECT_TRUE(In("2026-01-01", "6 Months", 2026, 6));
  EXPECT_FALSE(In("2025-12-31", "6 Months", 2026, 6));
  // July starts in January; May in November of last year.
  EXPECT_TRUE(In("2026-01-01", "6 Months", 2026, 7));
  EXPECT_FALSE(In("2025-12-31", "6 Months", 2026, 7));
  EXPECT_TRUE(In("2025-11-01", "6 Months", 2026, 5));
  EXPECT_FALSE(In("2025-10-31", "6 Months", 2026, 5));
  // December starts in June.
  EXPECT_FALSE(In("2026-05-31", "6 Months", 2026, 12));
  EXPECT_TRUE(In("2026-06-01", "6 Months", 2026, 12));
}

TEST(ReportPeriod, ShortOrOddDatesReadTheirMissingPartsAsZero) {
  // An empty date is year 0, month 0: only Eternity takes it.
  EXPECT_FALSE(In("", "Month", 2026, 3));
  EXPECT_FALSE(In("", "6 Months", 2026, 3));
  EXPECT_FALSE(In("", "Year", 2026, 3));
  EXPECT_TRUE(In("", "Eternity", 2026, 3));
  // A year without a month is month 0, which "Year" takes for any later year.
  EXPECT_TRUE(In("2026", "Year", 2026, 3));
  EXPECT_TRUE(In("2026-", "Year", 2026, 3));
  EXPECT_TRUE(In("2026-3", "Month", 2026, 3));
  // Position counts, not the hyphens.
  EXPECT_TRUE(In("2026/03/01", "Month", 2026, 3));
}

}  // namespace
}  // namespace larkspin
