#pragma once

#include <optional>
#include <string>

namespace larkspin {

// An Index as golfers write it: "14.2", "0.0", a plus handicap with its sign, "+1.2", and "–"
// while there is none.
std::string IndexText(std::optional<int> indexTenths);
// A course handicap the same way: "16", "0", a plus handicap "+2".
std::string CourseHandicapText(int courseHandicap);

}  // namespace larkspin
