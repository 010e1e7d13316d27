#include "HandicapText.h"

#include "Tenths.h"

namespace larkspin {

std::string IndexText(std::optional<int> indexTenths) {
  if (!indexTenths) return kNothing;
  if (*indexTenths < 0) return "+" + TenthsText(-*indexTenths);
  return TenthsText(*indexTenths);
}

}  // namespace larkspin
