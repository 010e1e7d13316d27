#pragma once

#include <string>

#include "ReportStatistics.h"

namespace larkspin {

// Appends the four tables under a report's rounds: "Driving Distance", "Shots Per Hole",
// "Greens in Regulation" and "Number of Puts".
void AppendStatisticsTables(std::string& document, const ReportStatistics& statistics);

}  // namespace larkspin
