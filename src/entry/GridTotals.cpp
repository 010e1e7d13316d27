#include "GridTotals.h"

#include "CellReading.h"

namespace larkspin {

RoundTotals SumGrid(const HoleTexts& pars, const HoleTexts& strokes, const HoleTexts& putts) {
  ScoreCells cells;
  HolePars holePars{};
  for (int i = 0; i < kHoles; ++i) {
    cells.strokes[i] = strokes[i];
    cells.putts[i] = putts[i];
    holePars[i] = ReadPar(pars[i]);
  }
  return SumRound(cells, holePars);
}

}  // namespace larkspin
