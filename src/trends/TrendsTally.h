#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "CoursePars.h"
#include "RoundRecord.h"

namespace larkspin {

class CourseTable;
class RoundTable;

// Counts of played holes with a par by strokes - par: <= -2, -1, 0, +1, >= +2.
using ScoringClasses = std::array<std::int64_t, 5>;
inline constexpr std::array<const char*, 5> kScoringClassNames = {
    "Eagles or better", "Birdies", "Pars", "Bogeys", "Double bogeys or worse"};

// A chosen round with all 18 holes played.
struct FullRound {
  int date = 0;  // YYYYMMDD, 0 when unreadable
  int row = 0;
  std::string_view course;  // the table's own text
  int score = 0;
  int toPar = 0;
  bool hasToPar = false;  // every hole has a par
  int putts = -1;         // -1 unless all 18 putts cells read 0 to 10
  int greenHoles = 0;     // holes with a par and putts
  int greensHit = 0;
};

struct StrokeAverage {
  std::int64_t strokes = 0;
  std::int64_t holes = 0;
};

struct DriveTally {
  std::int64_t sum = 0;
  std::int64_t count = 0;
  int shortest = 0;
  int longest = 0;
};

// What one walk over the chosen rounds gathers for the summary and the charts.
struct TrendsTally {
  std::int64_t rounds = 0;            // with at least one played hole
  std::vector<FullRound> fullRounds;  // in table order
  std::int64_t greenHoles = 0;
  std::int64_t greensHit = 0;
  ScoringClasses classes{};
  std::map<int, ScoringClasses> classesByMonth;  // YYYYMM, 0 for rounds with no readable date
  std::array<StrokeAverage, kHoles> byHole{};
  std::array<StrokeAverage, 3> byPar{};     // par 3, 4, 5
  std::array<DriveTally, 17> codeDrives{};  // by club code, in kClubCodes' order
  // Any other club, as typed; the texts stay the table's own while the tally lives.
  std::map<std::string_view, DriveTally> otherDrives;
};

TrendsTally TallyRounds(const RoundTable& rounds, const CourseTable& courses,
                        const std::vector<int>& rows);

}  // namespace larkspin
