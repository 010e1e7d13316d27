#pragma once

#include <string_view>

namespace larkspin {

// What the trends read from a round's cells and a course's pars. A number counts only when the
// cell holds decimal digits and nothing else ("07" reads 7; "4 ", "-1" and "x" read nothing).

// Strokes of a played hole, 1 to 30; 0 when the hole was not played.
int ReadStrokes(std::string_view text);
// A par of 3 to 6; 0 when the course gives none.
int ReadPar(std::string_view text);
// Putts, 0 to 10; -1 when none were noted.
int ReadPutts(std::string_view text);
// A drive, 1 to 999; 0 when none was noted.
int ReadDrive(std::string_view text);

// A date written YYYY-MM-DD that names a real day, as the number YYYYMMDD (so that numbers
// order as the days do); 0 for any other text.
int ReadDate(std::string_view text);
inline constexpr int kNoDate = 0;

}  // namespace larkspin
