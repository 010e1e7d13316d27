#pragma once

#include <optional>
#include <span>
#include <vector>

namespace larkspin {

// The World Handicap System's rules for a score and an Index, on whole numbers: Indexes, ratings
// and differentials in tenths (14.2 is 142), never binary floating point. Wherever golf rounds to
// a tenth, a half goes up: 5.65 is 5.7 and -5.65 is -5.6.

inline constexpr int kHighestIndexTenths = 540;
// The Index is worked out from this many most recent differentials, or from as many as there are.
inline constexpr int kRecentDifferentials = 20;
// An Index needs this many counted rounds.
inline constexpr int kFewestDifferentials = 3;
// The Low Handicap Index, and with it the caps, hold from this counted round on.
inline constexpr int kFirstCappedRound = 20;
// How far back the Low Handicap Index looks.
inline constexpr int kLowIndexDays = 365;

// Index × Slope / 113 + (Course Rating − par), rounded to a whole number, halves up (−2.5 is −2).
int CourseHandicap(int indexTenths, int slope, int ratingTenths, int parTotal);

// The strokes a course handicap gives on a hole of this stroke index (1 to 18): CH ÷ 18 on every
// hole and one more on the holes of index up to CH mod 18. A plus handicap (CH < 0) gives strokes
// back the same way from the hole of index 18 upwards.
int StrokesReceived(int courseHandicap, int strokeIndex);

// A hole's part of the adjusted gross score. `strokes` 0: the hole was not played. With an Index
// in force (`received` the strokes the hole gives): at most net double bogey, par + 2 + received,
// but never more than par + 5 on a hole that gives 4 strokes or more (only a course handicap
// above 54 gives that many), and net par, par + received, for a hole not played. Without one: at
// most par + 5, and par.
int AdjustedHoleScore(int strokes, int par, std::optional<int> received);

// 113 / Slope × (adjusted gross score − Course Rating), in tenths.
int ScoreDifferential(int adjustedGross, int ratingTenths, int slope);

// What an exceptional score takes off its own differential and the 19 before it: 2.0 when the
// Index in force exceeds the differential by 10.0 or more, 1.0 by 7.0 or more, else nothing.
int ExceptionalScoreReduction(int indexTenths, int differentialTenths);

// How many of the lowest differentials make an Index from `count` of them (3 to 20), and what is
// added to their mean.
struct IndexTableRow {
  int lowest = 0;
  int adjustmentTenths = 0;
};
IndexTableRow IndexTableFor(int count);

// Which of the most recent differentials (oldest first, at most 20) make the Index: the lowest,
// as many as IndexTableFor says; of equal ones the more recent. Positions in `recent`, ascending;
// none with fewer than three.
std::vector<int> UsedDifferentials(std::span<const int> recentTenths);

// The Index before caps from the most recent differentials (oldest first, at most 20, each with
// its reductions): the mean of the used ones, in tenths, plus the table's adjustment. Nothing
// with fewer than three.
std::optional<int> IndexFromDifferentials(std::span<const int> recentTenths);

// Which of the caps against the Low Handicap Index held an Index down.
enum class IndexCap { kNone, kSoft, kHard };
struct CappedIndex {
  int indexTenths = 0;
  IndexCap cap = IndexCap::kNone;
};

// The soft and hard caps: what exceeds the Low Index by more than 3.0 is halved, and what the
// soft cap leaves more than 5.0 above it the hard cap takes off. `cap` says which one lowered the
// Index; neither when it stays as it was.
CappedIndex CapIndex(int indexTenths, int lowIndexTenths);

}  // namespace larkspin
