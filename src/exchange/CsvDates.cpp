#include "CsvDates.h"

#include <QDate>
#include <array>

namespace larkspin {

namespace {

// The three numbers of a date and where its year stands.
struct DateParts {
  std::array<int, 3> numbers{};
  std::array<std::size_t, 3> digits{};
  char separator = 0;
};

std::optional<DateParts> Split(std::string_view text) {
  DateParts parts;
  std::size_t field = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      if (++parts.digits[field] > 4) return std::nullopt;
      parts.numbers[field] = parts.numbers[field] * 10 + (c - '0');
    } else if ((c == '/' || c == '.' || c == '-') && parts.digits[field] > 0 && field < 2 &&
               (parts.separator == 0 || parts.separator == c)) {
      parts.separator = c;
      ++field;
    } else {
      return std::nullopt;
    }
  }
  if (field != 2 || parts.digits[2] == 0) return std::nullopt;
  return parts;
}

bool IsOwnForm(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9')) return false;
  }
  return true;
}

std::optional<std::string> Written(int year, int month, int day) {
  if (year < 1000 || !QDate::isValid(year, month, day)) return std::nullopt;
  return QDate(year, month, day).toString(Qt::ISODate).toStdString();
}

// The forms, once each: the year first in any order, or last, the day and month before it in the
// order asked for; dots only day first.
std::optional<std::string> Read(const DateParts& date, DateOrder order) {
  const auto& [first, second, third] = date.numbers;
  if (date.digits[0] == 4 && date.digits[1] <= 2 && date.digits[2] <= 2) {
    return Written(first, second, third);
  }
  if (date.digits[2] != 4 || date.digits[0] > 2 || date.digits[1] > 2) return std::nullopt;
  if (order == DateOrder::kDayFirst) return Written(third, second, first);
  if (order == DateOrder::kMonthFirst && date.separator != '.') {
    return Written(third, first, second);
  }
  return std::nullopt;
}

void Note(DateCell& cell, std::string_view text, long long line) {
  if (cell.line == 0) cell = DateCell{line, std::string(text)};
}

}  // namespace

std::optional<std::string> IsoDate(std::string_view date, DateOrder order) {
  if (date.empty() || IsOwnForm(date) || order == DateOrder::kAsWritten) return std::nullopt;
  const auto parts = Split(date);
  return parts ? Read(*parts, order) : std::nullopt;
}

void DateSurvey::Add(std::string_view date, long long line) {
  if (date.empty() || IsOwnForm(date)) return;
  ++others;
  Note(firstOther, date, line);
  const auto dayFirst = IsoDate(date, DateOrder::kDayFirst);
  const auto monthFirst = IsoDate(date, DateOrder::kMonthFirst);
  if (!dayFirst) Note(notDayFirst, date, line);
  if (!monthFirst) Note(notMonthFirst, date, line);
  if (dayFirst && monthFirst && *dayFirst != *monthFirst) {
    ++ambiguous;
    Note(firstAmbiguous, date, line);
  }
}

DateReading ReadingOf(const DateSurvey& survey) {
  const bool dayFirst = survey.notDayFirst.line == 0;
  const bool monthFirst = survey.notMonthFirst.line == 0;
  if (survey.others == 0) return DateReading::kNothing;
  if (dayFirst && monthFirst) {
    return survey.ambiguous > 0 ? DateReading::kAmbiguous : DateReading::kEither;
  }
  if (dayFirst) return DateReading::kDayFirst;
  if (monthFirst) return DateReading::kMonthFirst;
  return DateReading::kMixed;
}

}  // namespace larkspin
