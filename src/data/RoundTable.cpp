#include "RoundTable.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <numeric>

namespace larkspin {

std::string_view RoundTable::Cell(int row, int column) const {
  if (!HasRow(row)) return {};
  return rows_[row].Cell(column);
}

RoundRecord RoundTable::Row(int row) const {
  if (!HasRow(row)) return RoundRecord{};
  return rows_[row].Unpack();
}

RoundCells RoundTable::Cells(int row) const {
  if (!HasRow(row)) return RoundCells{};
  return rows_[row].Cells();
}

void RoundTable::InsertRow(int position, const RoundRecord& record) {
  position = std::clamp(position, 0, RowCount());
  for (auto* observer : observers_)
    observer->RowsAboutToBeInserted(position, position);
  rows_.insert(rows_.begin() + position, PackedRound(record));
  ++revision_;
  for (auto* observer : observers_)
    observer->RowsInserted(position, position);
}

void RoundTable::InsertRowsAtTop(std::vector<PackedRound> rows) {
  if (rows.empty()) return;
  const int last = static_cast<int>(rows.size()) - 1;
  for (auto* observer : observers_)
    observer->RowsAboutToBeInserted(0, last);
  rows.insert(rows.end(), std::make_move_iterator(rows_.begin()),
              std::make_move_iterator(rows_.end()));
  rows_ = std::move(rows);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowsInserted(0, last);
}

void RoundTable::SetRow(int row, const RoundRecord& record) {
  if (!HasRow(row)) return;
  for (auto* observer : observers_)
    observer->RowAboutToChange(row);
  rows_[row] = PackedRound(record);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowChanged(row);
}

void RoundTable::RemoveRow(int row) {
  if (!HasRow(row)) return;
  for (auto* observer : observers_)
    observer->RowAboutToBeRemoved(row);
  rows_.erase(rows_.begin() + row);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowRemoved(row);
}

void RoundTable::Reorder(const std::vector<int>& order) {
  assert(static_cast<int>(order.size()) == RowCount());
  for (auto* observer : observers_)
    observer->RowsAboutToBeReordered();
  std::vector<PackedRound> reordered;
  reordered.reserve(rows_.size());
  std::vector<int> newRowOf(rows_.size());
  for (std::size_t newRow = 0; newRow < order.size(); ++newRow) {
    reordered.push_back(std::move(rows_[order[newRow]]));
    newRowOf[order[newRow]] = static_cast<int>(newRow);
  }
  rows_ = std::move(reordered);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowsReordered(newRowOf);
}

void RoundTable::Reverse() {
  std::vector<int> order(rows_.size());
  std::iota(order.rbegin(), order.rend(), 0);
  Reorder(order);
}

void RoundTable::AddObserver(RoundTableObserver* observer) {
  observers_.push_back(observer);
}

void RoundTable::RemoveObserver(RoundTableObserver* observer) {
  std::erase(observers_, observer);
}

}  // namespace larkspin
