#pragma once

#include <string_view>

namespace larkspin {

// What the trends read from a round's cells and a course's pars. A number counts only when the
// cell holds decimal digits and nothing else ("07" reads 7; "4 ", "-1" and "x" read nothing).

namespace cell_reading {

inline constexpr int kBeyond = 1'000'000;

// The number a text of digits alone reads, held at kBeyond for longer numbers; -1 for an empty
// text or one with anything but digits.
inline int ReadDigits(std::string_view text) {
  if (text.empty()) return -1;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value < kBeyond ? value * 10 + (c - '0') : kBeyond;
  }
  return value < kBeyond ? value : kBeyond;
}

inline int ReadInRange(std::string_view text, int lowest, int highest, int none) {
  const int value = ReadDigits(text);
  return value >= lowest && value <= highest ? value : none;
}

}  // namespace cell_reading

// The walks over every round read these most: here, so that they compile into the walk.

// Strokes of a played hole, 1 to 30; 0 when the hole was not played.
inline int ReadStrokes(std::string_view text) {
  return cell_reading::ReadInRange(text, 1, 30, 0);
}

// A par of 3 to 6; 0 when the course gives none.
inline int ReadPar(std::string_view text) {
  return cell_reading::ReadInRange(text, 3, 6, 0);
}

// Putts, 0 to 10; -1 when none were noted.
inline int ReadPutts(std::string_view text) {
  return cell_reading::ReadInRange(text, 0, 10, -1);
}

// A drive, 1 to 999; 0 when none was noted.
inline int ReadDrive(std::string_view text) {
  return cell_reading::ReadInRange(text, 1, 999, 0);
}

// A date written YYYY-MM-DD that names a real day, as the number YYYYMMDD (so that numbers
// order as the days do); 0 for any other text.
int ReadDate(std::string_view text);
inline constexpr int kNoDate = 0;

}  // namespace larkspin
