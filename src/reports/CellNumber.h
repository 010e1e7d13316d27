#pragma once

#include <string_view>

namespace larkspin {

// The number a cell text stands for in a report: leading white space skipped, an optional sign,
// the decimal digits that follow; 0 when no digit follows ("12 strokes" is 12, "x3" is 0).
// A number beyond the 32-bit range is held at the nearest bound rather than wrapping round.
int CellNumber(std::string_view text);

}  // namespace larkspin
