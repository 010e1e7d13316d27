#include "data/ColumnWidths.h"

#include <algorithm>
#include <cstring>

namespace larkspin {

ColumnWidthTracker::ColumnWidthTracker(RoundTable& table, const TextMeasure& measure)
    : table_(table), measure_(measure), columns_(kRoundColumns) {
  for (auto& column : columns_)
    column.countOfWidth.assign(kDirectWidths, 0);
  table_.AddObserver(this);
  if (table_.RowCount() > 0) RowsInserted(0, table_.RowCount() - 1);
}

ColumnWidthTracker::~ColumnWidthTracker() {
  table_.RemoveObserver(this);
}

int ColumnWidthTracker::WidestCell(int column) const {
  if (column < 0 || column >= kRoundColumns) return 0;
  return columns_[column].widest;
}

int ColumnWidthTracker::FittedWidth(int column) const {
  return std::max(WidestCell(column), measure_.HeadingWidth(column));
}

int ColumnWidthTracker::CellWidth(std::string_view text) {
  if (text.size() < sizeof(std::uint64_t)) {
    std::uint64_t key = text.size();  // the length in the low byte keeps "" apart from "\0"
    std::memcpy(reinterpret_cast<char*>(&key) + 1, text.data(), text.size());
    auto [it, inserted] = shortTextWidths_.try_emplace(key, 0);
    if (inserted) it->second = measure_.TextWidth(text);
    return it->second;
  }
  if (const auto it = longTextWidths_.find(text); it != longTextWidths_.end()) return it->second;
  const int width = measure_.TextWidth(text);
  longTextWidths_.emplace(std::string(text), width);
  return width;
}

void ColumnWidthTracker::Count(Column& column, int width, int delta) {
  width = std::max(width, 0);
  int remaining;
  if (width < kDirectWidths) {
    remaining = column.countOfWidth[width] += delta;
  } else {
    remaining = column.countOfWider[width] += delta;
    if (remaining == 0) column.countOfWider.erase(width);
  }
  if (delta > 0) {
    column.widest = std::max(column.widest, width);
    return;
  }
  if (remaining > 0 || width != column.widest) return;
  // The last cell of the widest width went: look for the next widest.
  if (!column.countOfWider.empty()) {
    column.widest = column.countOfWider.rbegin()->first;
    return;
  }
  int candidate = std::min(width, kDirectWidths - 1);
  while (candidate > 0 && column.countOfWidth[candidate] == 0)
    --candidate;
  column.widest = candidate;
}

void ColumnWidthTracker::CountRow(int row, int delta) {
  for (int column = 0; column < kRoundColumns; ++column) {
    Count(columns_[column], CellWidth(table_.Cell(row, column)), delta);
  }
}

void ColumnWidthTracker::RowsInserted(int first, int last) {
  for (int row = first; row <= last; ++row)
    CountRow(row, +1);
}

void ColumnWidthTracker::RowAboutToBeRemoved(int row) {
  CountRow(row, -1);
}

void ColumnWidthTracker::RowAboutToChange(int row) {
  CountRow(row, -1);
}

void ColumnWidthTracker::RowChanged(int row) {
  CountRow(row, +1);
}

}  // namespace larkspin
