#include "HandicapText.h"

#include "Tenths.h"

namespace larkspin {

std::string IndexText(std::optional<int> indexTenths) {
  if (!indexTenths) return kNothing;
  if (*indexTenths >= 0) return TenthsText(*indexTenths);
  // Appended: GCC 12 at -O3 warns falsely about joining short strings with +.
  std::string text = "+";
  return text.append(TenthsText(-*indexTenths));
}

std::string CourseHandicapText(int courseHandicap) {
  if (courseHandicap >= 0) return std::to_string(courseHandicap);
  std::string text = "+";
  return text.append(std::to_string(-courseHandicap));
}

std::string ExceptionalScoreText(int reductionTenths) {
  std::string text = "Exceptional score: \u2212";
  return text.append(TenthsText(reductionTenths));
}

std::string CapText(IndexCap cap, int uncappedTenths) {
  if (cap == IndexCap::kNone) return {};
  std::string text = cap == IndexCap::kSoft ? "Soft cap applied" : "Hard cap applied";
  return text.append(" (uncapped ").append(IndexText(uncappedTenths)).append(")");
}

}  // namespace larkspin
