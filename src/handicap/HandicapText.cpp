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

}  // namespace larkspin
