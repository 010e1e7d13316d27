#include "RoundRecord.h"

#include <string>

namespace larkspin {

namespace {

std::array<std::string, kRoundColumns> MakeHeadings() {
  std::array<std::string, kRoundColumns> headings;
  headings[kCourseColumn] = "Course";
  headings[kDateColumn] = "Date";
  for (int hole = 1; hole <= kHoles; ++hole) {
    const std::string number = std::to_string(hole);
    headings[ScoreColumn(hole)] = number;
    headings[DriveColumn(hole)] = "D" + number;
    headings[ClubColumn(hole)] = "C" + number;
    headings[PuttsColumn(hole)] = "P" + number;
  }
  return headings;
}

}  // namespace

std::string_view RoundColumnHeading(int column) {
  static const std::array<std::string, kRoundColumns> headings = MakeHeadings();
  if (column < 0 || column >= kRoundColumns) return {};
  return headings[column];
}

}  // namespace larkspin
