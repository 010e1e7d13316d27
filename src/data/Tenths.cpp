#include "Tenths.h"

namespace larkspin {

std::int64_t RoundedTenths(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t scaled = 10 * numerator;
  const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
  // floor(x + 1/2) for x = magnitude / denominator.
  const std::int64_t rounded = (2 * magnitude + denominator) / (2 * denominator);
  return scaled < 0 ? -rounded : rounded;
}

// Built by appending: GCC 12 at -O3 warns falsely about joining short strings with +.
std::string TenthsText(std::int64_t tenths) {
  const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
  std::string text = tenths < 0 ? "-" : "";
  text.append(std::to_string(magnitude / 10));
  text.push_back('.');
  text.push_back(static_cast<char>('0' + magnitude % 10));
  return text;
}

std::string SignedTenthsText(std::int64_t tenths) {
  if (tenths == 0) return "E";
  std::string text = tenths > 0 ? "+" : "";
  return text.append(TenthsText(tenths));
}

std::string PercentText(std::int64_t part, std::int64_t whole) {
  return TenthsText(RoundedTenths(100 * part, whole)).append("%");
}

}  // namespace larkspin
