#pragma once

#include "FormValues.h"
#include "RoundTotals.h"

namespace larkspin {

// What the grid's "Out", "In" and "Total" groups show for the texts its par, strokes and putts
// fields hold at this moment, typed or shown.
RoundTotals SumGrid(const HoleTexts& pars, const HoleTexts& strokes, const HoleTexts& putts);

}  // namespace larkspin
