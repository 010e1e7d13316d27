#include "ReportPeriod.h"

#include "CellNumber.h"

namespace larkspin {

ReportPeriod ReportPeriodOf(std::string_view periodText) {
  if (periodText == "Month") return ReportPeriod::kMonth;
  if (periodText == "6 Months") return ReportPeriod::kSixMonths;
  if (periodText == "Year") return ReportPeriod::kYear;
  return ReportPeriod::kEternity;
}

bool IsInReportPeriod(std::string_view dateText, ReportPeriod period, int currentYear,
                      int currentMonth) {
  if (period == ReportPeriod::kEternity) return true;
  // substr() gives the empty text where the date is too short, and the empty text counts as 0.
  const int year = CellNumber(dateText.substr(0, 4));
  const int month = dateText.size() > 5 ? CellNumber(dateText.substr(5, 2)) : 0;
  switch (period) {
    case ReportPeriod::kMonth:
      return year == currentYear && month == currentMonth;
    case ReportPeriod::kSixMonths: {
      // In June the start is "month 0" of this year, so the whole year counts.
      const bool sameYear = currentMonth - 6 >= 0;
      const int startYear = sameYear ? currentYear : currentYear - 1;
      const int startMonth = sameYear ? currentMonth - 6 : currentMonth + 6;
      return year > startYear || (year == startYear && month >= startMonth);
    }
    case ReportPeriod::kYear:
      // Not the twelve months up to now: any year from this one on, in a month not after this one.
      return year >= currentYear && month <= currentMonth;
    case ReportPeriod::kEternity:
      break;
  }
  return true;
}

bool IsInReportPeriod(std::string_view dateText, std::string_view periodText, int currentYear,
                      int currentMonth) {
  return IsInReportPeriod(dateText, ReportPeriodOf(periodText), currentYear, currentMonth);
}

}  // namespace larkspin
