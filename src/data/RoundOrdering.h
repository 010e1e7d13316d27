#pragma once

#include <vector>

#include "RoundTable.h"

namespace larkspin {

// Rows are ordered by a column's texts byte by byte (unsigned), with no meaning given to digits
// or dates: "10" sorts before "9", the empty text first, and date texts by date.

// True when no row's text is greater than the next row's.
bool IsInAscendingOrder(const RoundTable& table, int column);

// The ascending order as order[newRow] = oldRow; equal texts keep their relative order.
std::vector<int> AscendingOrder(const RoundTable& table, int column);

}  // namespace larkspin
