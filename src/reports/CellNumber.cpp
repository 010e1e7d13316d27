#include "CellNumber.h"

#include <cstdint>
#include <limits>

namespace larkspin {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int CellNumber(std::string_view text) {
  // Nearly every cell is a few digits and nothing else: nine of them cannot overflow.
  if (!text.empty() && text.size() <= 9 && text[0] >= '0' && text[0] <= '9') {
    int number = 0;
    for (const char c : text) {
      if (c < '0' || c > '9') break;
      number = number * 10 + (c - '0');
    }
    return number;
  }
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Counted one past the largest magnitude, so a longer run of digits cannot overflow.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int>(-magnitude);  // -2^31 fits
  return static_cast<int>(magnitude == kLimit ? kLimit - 1 : magnitude);
}

}  // namespace larkspin
