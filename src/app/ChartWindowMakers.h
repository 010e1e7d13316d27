#pragma once

#include "ChartWindows.h"

namespace larkspin {

// The makers of the chart windows linked into this program or library.
const ChartWindowMakers* ChartWindowMakersHere();

}  // namespace larkspin
