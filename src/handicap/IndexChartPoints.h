#pragma once

#include <cstddef>
#include <vector>

#include "HandicapRecord.h"

namespace larkspin {

// Beyond this many, the "Handicap Index" chart shows the Index month by month: a chart no wider
// than a screen cannot show more rounds apart, and drawing them would hold up the window.
inline constexpr std::size_t kMostIndexPoints = 2000;

struct IndexChartPoints {
  std::vector<IndexPoint> points;  // oldest first
  bool monthly = false;            // one point per month instead of per round
};

// The points of the "Handicap Index" chart from the Index series (see HandicapRecord): the Index
// after each counted round, or, beyond kMostIndexPoints of them, the Index at the end of each
// month with a counted round, after that month's last.
IndexChartPoints IndexChartSeries(const std::vector<IndexPoint>& series);

}  // namespace larkspin
