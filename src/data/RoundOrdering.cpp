#include "data/RoundOrdering.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace larkspin {

bool IsInAscendingOrder(const RoundTable& table, int column) {
  for (int row = 0; row + 1 < table.RowCount(); ++row) {
    // string_view compares with memcmp, which orders by unsigned byte value.
    if (table.Cell(row + 1, column) < table.Cell(row, column)) return false;
  }
  return true;
}

std::vector<int> AscendingOrder(const RoundTable& table, int column) {
  const int rows = table.RowCount();
  std::vector<std::pair<std::string_view, int>> keys;
  keys.reserve(rows);
  for (int row = 0; row < rows; ++row)
    keys.emplace_back(table.Cell(row, column), row);
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<int> order;
  order.reserve(rows);
  for (const auto& key : keys)
    order.push_back(key.second);
  return order;
}

}  // namespace larkspin
