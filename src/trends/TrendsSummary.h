#pragma once

#include <vector>

#include "Trends.h"
#include "TrendsTally.h"

namespace larkspin {

// The "Summary" table's rows, in their order, from the tally of the chosen rounds.
std::vector<SummaryRow> SummaryRows(const TrendsTally& tally, const RoundTable& rounds);

}  // namespace larkspin
