#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "RoundRecord.h"

namespace larkspin {

class RoundTable;

// The cells a scorecard adds up: each hole's strokes and putts.
struct ScoreCells {
  std::array<std::string_view, kHoles> strokes;
  std::array<std::string_view, kHoles> putts;
};
// Reads these cells alone, which is quicker than all of the row's.
ScoreCells ScoreCellsOf(const RoundTable& table, int row);

// Each hole's par as ReadPar reads it; 0 where the course gives none.
using HolePars = std::array<int, kHoles>;

// What a scorecard adds up over some of its holes; none where no hole counted.
struct HoleSums {
  std::optional<int> par;
  std::optional<int> strokes;
  std::optional<int> putts;
};

// A round's holes as the scorecard counts them, and the sums written beside them: Out (holes 1
// to 9), In (10 to 18) and Total. Cells count by the rules of ReadStrokes, ReadPutts and ReadPar.
struct RoundTotals {
  std::array<int, kHoles> strokes{};  // 0 where the hole was not played
  std::array<int, kHoles> putts{};    // -1 where none were noted
  int holesPlayed = 0;
  int holesWithPutts = 0;
  HoleSums out;
  HoleSums in;
  HoleSums total;
  // The strokes over the pars of the holes played; none unless every played hole has a par.
  std::optional<int> toPar;
};

RoundTotals SumRound(const ScoreCells& round, const HolePars& pars);
// The same from all of a round's cells.
RoundTotals SumRound(const RoundCells& round, const HolePars& pars);

// The figures the round list adds to its columns. Neither has more than three digits: 18 holes
// of at most 30 strokes.
enum class RoundFigure { kTotal, kToPar };
inline constexpr int kMostFigureDigits = 3;
std::optional<int> Figure(const RoundTotals& totals, RoundFigure figure);

// A sum as the scorecard writes it: the number, or the empty text for none.
std::string SumText(std::optional<int> sum);
// "+16", "E" (even), "-3"; the empty text for none.
std::string ToParText(std::optional<int> toPar);
std::string FigureText(const RoundTotals& totals, RoundFigure figure);

}  // namespace larkspin
