#include "TrendsChoice.h"

#include <algorithm>

#include "CellReading.h"
#include "RoundTable.h"

namespace larkspin {

namespace {

int DateNumber(QDate date) {
  return date.year() * 10000 + date.month() * 100 + date.day();
}

// The first day a choice of time takes, as a date number; 0 for no limit.
int FirstDay(RoundsChoice choice, QDate today) {
  switch (choice) {
    case RoundsChoice::kLast12Months:
      // Qt moves 29 February of a year before to the 28th.
      return DateNumber(today.addYears(-1));
    case RoundsChoice::kThisYear:
      return DateNumber(QDate(today.year(), 1, 1));
    case RoundsChoice::kAll:
    case RoundsChoice::kLast20:
      break;
  }
  return 0;
}

}  // namespace

std::vector<int> ChosenRows(const RoundTable& rounds, const TrendsChoice& choice, QDate today) {
  std::vector<int> rows;
  const bool byDate = choice.rounds != RoundsChoice::kAll;
  const int firstDay = FirstDay(choice.rounds, today);
  const int lastDay = DateNumber(today);
  // (date, row) of each dated round, for "Last 20 rounds".
  std::vector<std::pair<int, int>> dated;
  for (int row = 0; row < rounds.RowCount(); ++row) {
    if (choice.course && rounds.Cell(row, kCourseColumn) != *choice.course) continue;
    if (byDate) {
      const int date = ReadDate(rounds.Cell(row, kDateColumn));
      if (date == kNoDate || date > lastDay || date < firstDay) continue;
      if (choice.rounds == RoundsChoice::kLast20) {
        dated.emplace_back(date, row);
        continue;
      }
    }
    rows.push_back(row);
  }
  if (choice.rounds == RoundsChoice::kLast20) {
    // Latest first; on the same day the higher row (the smaller number) first.
    const auto later = [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first > b.first : a.second < b.second;
    };
    const auto end = dated.begin() + std::min<std::ptrdiff_t>(20, std::ssize(dated));
    std::partial_sort(dated.begin(), end, dated.end(), later);
    for (auto it = dated.begin(); it != end; ++it)
      rows.push_back(it->second);
    std::sort(rows.begin(), rows.end());
  }
  return rows;
}

}  // namespace larkspin
