#include "RoundOrdering.h"

#include <algorithm>
#include <cstdint>
#include <limits>
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

namespace {

// A sort key that settles most comparisons in registers: the text's first 16 bytes as two
// big-endian numbers (so they compare like the bytes), and the text itself for the rest.
struct SortKey {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  std::string_view text;
  int row = 0;

  SortKey(std::string_view cell, int index) : text(cell), row(index) {
    for (std::size_t i = 0; i < 16 && i < cell.size(); ++i) {
      const std::uint64_t byte = static_cast<unsigned char>(cell[i]);
      (i < 8 ? high : low) |= byte << (8 * (7 - i % 8));
    }
  }

  friend bool operator<(const SortKey& a, const SortKey& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    // Equal first 16 bytes (a shorter text padded with zero bytes): the texts decide, and for
    // equal texts the former order, which keeps the sort stable.
    if (a.text.size() > 16 || b.text.size() > 16) {
      if (const int order = a.text.compare(b.text); order != 0) return order < 0;
    } else if (a.text.size() != b.text.size()) {
      return a.text.size() < b.text.size();
    }
    return a.row < b.row;
  }
};

}  // namespace

std::vector<int> AscendingOrder(const RoundTable& table, int column) {
  const int rows = table.RowCount();
  std::vector<SortKey> keys;
  keys.reserve(rows);
  for (int row = 0; row < rows; ++row)
    keys.emplace_back(table.Cell(row, column), row);
  // Ties go by row, so std::sort, which works in place and stays in the cache longer, is stable.
  std::sort(keys.begin(), keys.end());
  std::vector<int> order;
  order.reserve(rows);
  for (const auto& key : keys)
    order.push_back(key.row);
  return order;
}

namespace {

// Rows without a number go last.
std::int64_t NumberKey(const SortNumber& number) {
  return number ? *number : std::numeric_limits<std::int64_t>::max();
}

}  // namespace

bool IsInAscendingOrder(const std::vector<SortNumber>& numbers) {
  for (std::size_t row = 0; row + 1 < numbers.size(); ++row) {
    if (NumberKey(numbers[row + 1]) < NumberKey(numbers[row])) return false;
  }
  return true;
}

std::vector<int> AscendingOrder(const std::vector<SortNumber>& numbers) {
  std::vector<std::pair<std::int64_t, int>> keys;
  keys.reserve(numbers.size());
  for (std::size_t row = 0; row < numbers.size(); ++row)
    keys.emplace_back(NumberKey(numbers[row]), static_cast<int>(row));
  // Ties go by row, which keeps the sort stable.
  std::sort(keys.begin(), keys.end());
  std::vector<int> order;
  order.reserve(keys.size());
  for (const auto& key : keys)
    order.push_back(key.second);
  return order;
}

}  // namespace larkspin
