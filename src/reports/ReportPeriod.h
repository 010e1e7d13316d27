#pragma once

#include <string_view>

namespace larkspin {

// What the period box's text asks for. Only the exact texts "Month", "6 Months" and "Year" narrow
// a report; any other text covers every round.
enum class ReportPeriod { kMonth, kSixMonths, kYear, kEternity };

ReportPeriod ReportPeriodOf(std::string_view periodText);

// Whether a round dated `dateText` ("2003-09-16": the year is read from its first four
// characters, the month from the 6th and 7th) belongs to the period, in the given current year and
// month (1 to 12).
bool IsInReportPeriod(std::string_view dateText, ReportPeriod period, int currentYear,
                      int currentMonth);
bool IsInReportPeriod(std::string_view dateText, std::string_view periodText, int currentYear,
                      int currentMonth);

}  // namespace larkspin
