#pragma once

#include <array>
#include <optional>

#include "Trends.h"
#include "TrendsTally.h"

namespace larkspin {

// Past this many 18-hole rounds the per-round charts plot monthly means.
inline constexpr std::size_t kMostRoundsPlotted = 2000;

inline constexpr const char* kNoRoundsText = "No rounds in this choice";

// The five charts from the tally, its 18-hole rounds in date order (rounds
// with no readable date first). `coursePars`: the pars of the chosen course; none for all
// courses.
std::array<Chart, kTrendsCharts> TrendsCharts(const TrendsTally& tally,
                                              const std::optional<HolePars>& coursePars);

}  // namespace larkspin
