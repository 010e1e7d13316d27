#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "CourseRating.h"
#include "CourseStrokes.h"

namespace larkspin {

// What a scorecard is printed from: one course, the golfer's handicap on it, and the round the
// card holds, if any. Numbers, with 0 where the card is blank.
struct CardFigures {
  std::string course;
  std::string date;                    // as the grid shows it; empty on a blank card
  std::array<int, kHoles> pars{};      // 0: not known
  std::optional<CourseRating> rating;  // nothing: not rated
  std::optional<int> indexTenths;
  std::optional<CourseStrokes> handicap;           // nothing without an Index or a rating
  std::string format;                              // the allowance's format, "Stableford 95 %"
  std::array<int, kHoles> strokes{};               // 0: not played
  std::array<std::optional<int>, kHoles> putts{};  // nothing: none written
};

// The card's columns: holes 1 to 9, "Out", holes 10 to 18, "In", "Total".
inline constexpr int kCardColumns = 21;
inline constexpr int kOutColumn = 9;
inline constexpr int kInColumn = 19;
inline constexpr int kTotalColumn = 20;
constexpr int CardColumn(int hole) {
  return hole <= 9 ? hole - 1 : hole;
}

struct CardRow {
  std::string heading;
  std::array<std::string, kCardColumns> cells;
};

struct CardFact {
  std::string label;
  std::string value;  // empty: a blank to write on
};

// The card as plain texts, as the page and the PDF lay it out: a title, the facts under it, and
// the table of holes.
struct ScorecardLayout {
  std::string title;
  std::vector<CardFact> facts;
  CardRow holes;              // the headings: "Hole", 1 … 9, "Out", 10 … 18, "In", "Total"
  std::vector<CardRow> rows;  // Par, Stroke index, Strokes received, Score, Putts, Net, Stableford
};

// The rows in the card's order.
enum CardRowIndex {
  kParRow,
  kStrokeIndexRow,
  kReceivedRow,
  kScoreRow,
  kPuttsRow,
  kNetRow,
  kStablefordRow
};

// Strokes received as golfers mark them: a dot for each of one or two, the number from three, a
// stroke given back (a plus handicap) as "-1"; nothing for none.
std::string ReceivedMark(int received);

// Totals per nine and in all where the holes give them: par when the nine's pars are all known,
// strokes and putts over the holes written, net (strokes − received) and Stableford points
// (max(0, 2 + par + received − strokes)) over the holes played with a handicap.
ScorecardLayout LayOutScorecard(const CardFigures& card);

}  // namespace larkspin
