// For a program linked with the chart windows themselves: they are registered as it starts.

#include "ChartWindowMakers.h"

namespace {

[[maybe_unused]] const bool registered =
    (larkspin::RegisterChartWindows(larkspin::ChartWindowMakersHere()), true);

}  // namespace
