#pragma once

#include <array>
#include <string>
#include <string_view>

namespace larkspin {

// One round as the round list shows it: 74 text cells, kept exactly as entered (UTF-8).
inline constexpr int kHoles = 18;
inline constexpr int kRoundColumns = 74;

inline constexpr int kCourseColumn = 0;
inline constexpr int kDateColumn = 1;
// Holes are numbered 1 to 18.
constexpr int ScoreColumn(int hole) {
  return 1 + hole;
}
constexpr int DriveColumn(int hole) {
  return 19 + hole;
}
constexpr int ClubColumn(int hole) {
  return 37 + hole;
}
constexpr int PuttsColumn(int hole) {
  return 55 + hole;
}

using RoundRecord = std::array<std::string, kRoundColumns>;
// The cell texts of one round, by column, without copying them.
using RoundCells = std::array<std::string_view, kRoundColumns>;

// "Course", "Date", "1".."18", "D1".."D18", "C1".."C18", "P1".."P18".
std::string_view RoundColumnHeading(int column);

}  // namespace larkspin
