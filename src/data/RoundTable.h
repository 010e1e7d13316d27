#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "PackedRound.h"
#include "RoundRecord.h"

namespace larkspin {

// Told about every change of a RoundTable, before and after, so a view model can keep its
// indexes and a width tracker its counts.
class RoundTableObserver {
 public:
  virtual ~RoundTableObserver() = default;
  virtual void RowsAboutToBeInserted(int /*first*/, int /*last*/) {}
  virtual void RowsInserted(int /*first*/, int /*last*/) {}
  virtual void RowAboutToBeRemoved(int /*row*/) {}
  virtual void RowRemoved(int /*row*/) {}
  // Many rows leave at once; `rows` in ascending order.
  virtual void RowsAboutToBeRemoved(const std::vector<int>& /*rows*/) {}
  virtual void RowsRemoved(const std::vector<int>& /*rows*/) {}
  virtual void RowAboutToChange(int /*row*/) {}
  virtual void RowChanged(int /*row*/) {}
  virtual void RowsAboutToBeReordered() {}
  // newRowOf[old] is where the row that stood at `old` stands now.
  virtual void RowsReordered(const std::vector<int>& /*newRowOf*/) {}
};

// Names a row for as long as the table lives, wherever sorting moves it: what a change remembers
// to find its round again. Never 0.
using RowId = std::uint64_t;

// All rounds, row 0 at the top of the round list. No key: duplicates are allowed.
class RoundTable {
 public:
  RoundTable() = default;
  RoundTable(const RoundTable&) = delete;
  RoundTable& operator=(const RoundTable&) = delete;

  int RowCount() const { return static_cast<int>(rows_.size()); }
  bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
  // Empty text for a row or column outside the table.
  std::string_view Cell(int row, int column) const;
  // 74 empty texts for a row outside the table.
  RoundRecord Row(int row) const;
  // The row's texts as they are stored, valid until the table changes.
  RoundCells Cells(int row) const;
  // The row as it is stored, for going over the cells of many rows (a row inside the table).
  const PackedRound& StoredRow(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  RowId IdOf(int row) const { return HasRow(row) ? ids_[row] : 0; }
  // The row that `id` names now, -1 when it is not in the table.
  int RowOf(RowId id) const;

  void InsertRow(int position, const RoundRecord& record);
  // Puts a row back that TakeRow took, under its old id.
  void InsertRow(int position, PackedRound row, RowId id);
  // Puts `rows` above the current top row, keeping their order: rows.front() becomes row 0.
  // With `ids`, one per row, the rows come back under ids they had before.
  void InsertRowsAtTop(std::vector<PackedRound> rows, std::vector<RowId> ids = {});
  void SetRow(int row, const RoundRecord& record);
  // Puts `cells` in place of the row's and hands back what the row held.
  void ExchangeRow(int row, PackedRound& cells);
  void RemoveRow(int row);
  // Takes the row out of the table and hands it over.
  PackedRound TakeRow(int row);
  // Takes out the rows these ids name, handing them over in the order of `ids`; an id not in the
  // table gives an empty round.
  std::vector<PackedRound> TakeRows(const std::vector<RowId>& ids);
  // order[newRow] is the old row that moves to newRow; it must be a permutation of the rows.
  void Reorder(const std::vector<int>& order);
  void Reverse();

  // Changes with every change of the rows or their order.
  std::uint64_t Revision() const { return revision_; }

  // Watching is not changing: a view watches a table it may not change.
  void AddObserver(RoundTableObserver* observer) const;
  void RemoveObserver(RoundTableObserver* observer) const;

 private:
  RowId NewIds(std::size_t count);

  std::vector<PackedRound> rows_;
  std::vector<RowId> ids_;  // ids_[row] names rows_[row]
  RowId lastId_ = 0;
  mutable std::vector<RoundTableObserver*> observers_;
  std::uint64_t revision_ = 0;
};

}  // namespace larkspin
