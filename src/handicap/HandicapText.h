#pragma once

#include <optional>
#include <string>

#include "HandicapRules.h"

namespace larkspin {

// An Index as golfers write it: "14.2", "0.0", a plus handicap with its sign, "+1.2", and "–"
// while there is none.
std::string IndexText(std::optional<int> indexTenths);
// A course handicap the same way: "16", "0", a plus handicap "+2".
std::string CourseHandicapText(int courseHandicap);
// The note on a round whose exceptional score took `reductionTenths` off: "Exceptional score:
// −1.0", with a minus sign.
std::string ExceptionalScoreText(int reductionTenths);
// What a cap did to the Index: "Soft cap applied (uncapped 18.3)"; empty for none.
std::string CapText(IndexCap cap, int uncappedTenths);

}  // namespace larkspin
