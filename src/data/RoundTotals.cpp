#include "RoundTotals.h"

#include "CellReading.h"
#include "RoundTable.h"

namespace larkspin {

namespace {

// Plain counts while walking the holes; the sums become "none" only at the end.
struct Half {
  int par = 0;
  int parHoles = 0;
  int strokes = 0;
  int played = 0;
  int putts = 0;
  int putted = 0;

  HoleSums Sums() const {
    return {.par = parHoles > 0 ? std::optional(par) : std::nullopt,
            .strokes = played > 0 ? std::optional(strokes) : std::nullopt,
            .putts = putted > 0 ? std::optional(putts) : std::nullopt};
  }
};

// The one walk over the holes, whichever way the cells are held: `strokes(i)` and `putts(i)`
// give the cells of hole i + 1.
template <typename Strokes, typename Putts>
RoundTotals Sum(const Strokes& strokesCell, const Putts& puttsCell, const HolePars& pars) {
  RoundTotals totals;
  std::array<Half, 2> halves{};  // Out, In
  int parsPlayed = 0;
  bool everyPlayedHasPar = true;
  for (int first = 0; first < kHoles; first += 9) {
    Half half;  // counted in registers, kept once its nine holes are done
    for (int i = first; i < first + 9; ++i) {
      const int par = pars[i];
      if (par > 0) {
        half.par += par;
        ++half.parHoles;
      }
      const int strokes = ReadStrokes(strokesCell(i));
      totals.strokes[i] = strokes;
      if (strokes > 0) {
        half.strokes += strokes;
        ++half.played;
        parsPlayed += par;
        everyPlayedHasPar = everyPlayedHasPar && par > 0;
      }
      const int putts = ReadPutts(puttsCell(i));
      totals.putts[i] = putts;
      if (putts >= 0) {
        half.putts += putts;
        ++half.putted;
      }
    }
    halves[first / 9] = half;
  }
  Half whole;
  for (const Half& half : halves) {
    whole.par += half.par;
    whole.parHoles += half.parHoles;
    whole.strokes += half.strokes;
    whole.played += half.played;
    whole.putts += half.putts;
    whole.putted += half.putted;
  }
  totals.holesPlayed = whole.played;
  totals.holesWithPutts = whole.putted;
  totals.out = halves[0].Sums();
  totals.in = halves[1].Sums();
  totals.total = whole.Sums();
  if (whole.played > 0 && everyPlayedHasPar) totals.toPar = whole.strokes - parsPlayed;
  return totals;
}

}  // namespace

ScoreCells ScoreCellsOf(const RoundTable& table, int row) {
  ScoreCells cells;
  for (int hole = 1; hole <= kHoles; ++hole) {
    cells.strokes[hole - 1] = table.Cell(row, ScoreColumn(hole));
    cells.putts[hole - 1] = table.Cell(row, PuttsColumn(hole));
  }
  return cells;
}

RoundTotals SumRound(const ScoreCells& round, const HolePars& pars) {
  return Sum([&](int i) { return round.strokes[i]; }, [&](int i) { return round.putts[i]; }, pars);
}

RoundTotals SumRound(const RoundCells& round, const HolePars& pars) {
  return Sum([&](int i) { return round[ScoreColumn(i + 1)]; },
             [&](int i) { return round[PuttsColumn(i + 1)]; }, pars);
}

std::optional<int> Figure(const RoundTotals& totals, RoundFigure figure) {
  return figure == RoundFigure::kTotal ? totals.total.strokes : totals.toPar;
}

std::string SumText(std::optional<int> sum) {
  return sum ? std::to_string(*sum) : std::string();
}

std::string ToParText(std::optional<int> toPar) {
  if (!toPar) return {};
  if (*toPar == 0) return "E";
  // Appended rather than "+" + number: GCC 12 at -O3 takes that for an overlapping copy.
  std::string text = *toPar > 0 ? "+" : "";
  text += std::to_string(*toPar);
  return text;
}

std::string FigureText(const RoundTotals& totals, RoundFigure figure) {
  return figure == RoundFigure::kTotal ? SumText(totals.total.strokes) : ToParText(totals.toPar);
}

}  // namespace larkspin
