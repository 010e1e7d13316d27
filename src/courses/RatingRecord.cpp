#include "RatingRecord.h"

#include <algorithm>
#include <string_view>

namespace larkspin {

namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trimmed(const std::string& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsWhiteSpace);
  const auto last =
      std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), IsWhiteSpace);
  return std::string(first, last.base());
}

}  // namespace

RatingRecord TrimmedRating(RatingRecord record) {
  for (int cell = kRatingCell; cell < kRatingColumns; ++cell)
    record[cell] = Trimmed(record[cell]);
  return record;
}

bool HoldsNoRating(const RatingRecord& record) {
  return std::all_of(record.begin() + kRatingCell, record.end(),
                     [](const std::string& cell) { return cell.empty(); });
}

}  // namespace larkspin
