#include "RoundTable.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <numeric>
#include <unordered_map>

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

int RoundTable::RowOf(RowId id) const {
  const auto it = std::find(ids_.begin(), ids_.end(), id);
  return it == ids_.end() ? -1 : static_cast<int>(it - ids_.begin());
}

RowId RoundTable::NewIds(std::size_t count) {
  const RowId first = lastId_ + 1;
  lastId_ += count;
  return first;
}

void RoundTable::InsertRow(int position, const RoundRecord& record) {
  InsertRow(position, PackedRound(record), NewIds(1));
}

void RoundTable::InsertRow(int position, PackedRound row, RowId id) {
  position = std::clamp(position, 0, RowCount());
  for (auto* observer : observers_)
    observer->RowsAboutToBeInserted(position, position);
  rows_.insert(rows_.begin() + position, std::move(row));
  ids_.insert(ids_.begin() + position, id);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowsInserted(position, position);
}

void RoundTable::InsertRowsAtTop(std::vector<PackedRound> rows, std::vector<RowId> ids) {
  if (rows.empty()) return;
  assert(ids.empty() || ids.size() == rows.size());
  if (ids.empty()) {
    ids.resize(rows.size());
    std::iota(ids.begin(), ids.end(), NewIds(rows.size()));
  }
  const int last = static_cast<int>(rows.size()) - 1;
  for (auto* observer : observers_)
    observer->RowsAboutToBeInserted(0, last);
  rows.insert(rows.end(), std::make_move_iterator(rows_.begin()),
              std::make_move_iterator(rows_.end()));
  rows_ = std::move(rows);
  ids.insert(ids.end(), ids_.begin(), ids_.end());
  ids_ = std::move(ids);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowsInserted(0, last);
}

void RoundTable::SetRow(int row, const RoundRecord& record) {
  PackedRound cells(record);
  ExchangeRow(row, cells);
}

void RoundTable::ExchangeRow(int row, PackedRound& cells) {
  if (!HasRow(row)) return;
  for (auto* observer : observers_)
    observer->RowAboutToChange(row);
  std::swap(rows_[row], cells);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowChanged(row);
}

void RoundTable::RemoveRow(int row) {
  TakeRow(row);
}

PackedRound RoundTable::TakeRow(int row) {
  if (!HasRow(row)) return {};
  for (auto* observer : observers_)
    observer->RowAboutToBeRemoved(row);
  PackedRound taken = std::move(rows_[row]);
  rows_.erase(rows_.begin() + row);
  ids_.erase(ids_.begin() + row);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowRemoved(row);
  return taken;
}

std::vector<PackedRound> RoundTable::TakeRows(const std::vector<RowId>& ids) {
  std::unordered_map<RowId, std::size_t> wanted;  // id -> its place in `ids`
  wanted.reserve(ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i)
    wanted.emplace(ids[i], i);
  std::vector<int> rows;
  rows.reserve(ids.size());
  for (int row = 0; row < RowCount(); ++row) {
    if (wanted.count(ids_[row])) rows.push_back(row);
  }
  std::vector<PackedRound> taken(ids.size());
  if (rows.empty()) return taken;
  for (auto* observer : observers_)
    observer->RowsAboutToBeRemoved(rows);
  // One pass: the rows that stay move up over the ones taken.
  std::size_t kept = 0;
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (const auto it = wanted.find(ids_[row]); it != wanted.end()) {
      taken[it->second] = std::move(rows_[row]);
      continue;
    }
    if (kept != row) {
      rows_[kept] = std::move(rows_[row]);
      ids_[kept] = ids_[row];
    }
    ++kept;
  }
  rows_.resize(kept);
  ids_.resize(kept);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowsRemoved(rows);
  return taken;
}

void RoundTable::Reorder(const std::vector<int>& order) {
  assert(static_cast<int>(order.size()) == RowCount());
  for (auto* observer : observers_)
    observer->RowsAboutToBeReordered();
  std::vector<PackedRound> reordered;
  reordered.reserve(rows_.size());
  std::vector<RowId> reorderedIds;
  reorderedIds.reserve(ids_.size());
  std::vector<int> newRowOf(rows_.size());
  for (std::size_t newRow = 0; newRow < order.size(); ++newRow) {
    reordered.push_back(std::move(rows_[order[newRow]]));
    reorderedIds.push_back(ids_[order[newRow]]);
    newRowOf[order[newRow]] = static_cast<int>(newRow);
  }
  rows_ = std::move(reordered);
  ids_ = std::move(reorderedIds);
  ++revision_;
  for (auto* observer : observers_)
    observer->RowsReordered(newRowOf);
}

void RoundTable::Reverse() {
  std::vector<int> order(rows_.size());
  std::iota(order.rbegin(), order.rend(), 0);
  Reorder(order);
}

void RoundTable::AddObserver(RoundTableObserver* observer) const {
  observers_.push_back(observer);
}

void RoundTable::RemoveObserver(RoundTableObserver* observer) const {
  std::erase(observers_, observer);
}

}  // namespace larkspin
