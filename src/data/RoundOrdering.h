#pragma once

#include <optional>
#include <vector>

#include "RoundTable.h"

namespace larkspin {

// Rows are ordered by a column's texts byte by byte (unsigned), with no meaning given to digits
// or dates: "10" sorts before "9", the empty text first, and date texts by date.

// True when no row's text is greater than the next row's.
bool IsInAscendingOrder(const RoundTable& table, int column);

// The ascending order as order[newRow] = oldRow; equal texts keep their relative order.
std::vector<int> AscendingOrder(const RoundTable& table, int column);

// Rows can also be ordered by a number worked out from each (a round's total): by value, rows
// without a number after all the others.
using SortNumber = std::optional<int>;

// True when no row's number sorts after the next row's.
bool IsInAscendingOrder(const std::vector<SortNumber>& numbers);

// The ascending order of rows whose numbers are `numbers`, as above; equal numbers, and rows
// without one, keep their relative order.
std::vector<int> AscendingOrder(const std::vector<SortNumber>& numbers);

}  // namespace larkspin
