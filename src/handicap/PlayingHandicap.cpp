#include "PlayingHandicap.h"

#include <algorithm>
#include <cctype>

namespace larkspin {

namespace {

constexpr long long kStandardSlope = 113;

long long FloorDivide(long long numerator, long long denominator) {
  const long long quotient = numerator / denominator;
  return numerator % denominator < 0 ? quotient - 1 : quotient;
}

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

int Allowance::Percent() const {
  if (format >= kCustomFormat)
    return std::clamp(customPercent, kLowestAllowance, kHighestAllowance);
  return kAllowanceFormats[format].percent;
}

std::string Allowance::Text() const {
  std::string text(kAllowanceFormats[std::min(format, kCustomFormat)].name);
  return text.append(" ").append(std::to_string(Percent())).append(" %");
}

std::string FormatChoiceText(const AllowanceFormat& format) {
  std::string text(format.name);
  if (format.percent == 0) return text;
  return text.append(" ").append(std::to_string(format.percent)).append(" %");
}

std::optional<std::size_t> FindAllowanceFormat(std::string_view name) {
  for (std::size_t i = 0; i < kCustomFormat; ++i) {
    if (SameLetters(name, kAllowanceFormats[i].name) ||
        SameLetters(name, FormatChoiceText(kAllowanceFormats[i]))) {
      return i;
    }
  }
  return std::nullopt;
}

int PlayingHandicap(int indexTenths, int slope, int ratingTenths, int parTotal, int percent) {
  // (I × S / 113 + R − P) × A / 100, with I and R in tenths: (I × S + 113 × (R − 10 P)) × A over
  // 113,000, never rounded before the end.
  const long long numerator = (static_cast<long long>(indexTenths) * slope +
                               kStandardSlope * (ratingTenths - 10LL * parTotal)) *
                              percent;
  const long long denominator = 1000 * kStandardSlope;
  // Halves up: floor(x + 1/2).
  return static_cast<int>(FloorDivide(2 * numerator + denominator, 2 * denominator));
}

}  // namespace larkspin
