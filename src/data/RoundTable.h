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
  virtual void RowAboutToChange(int /*row*/) {}
  virtual void RowChanged(int /*row*/) {}
  virtual void RowsAboutToBeReordered() {}
  // newRowOf[old] is where the row that stood at `old` stands now.
  virtual void RowsReordered(const std::vector<int>& /*newRowOf*/) {}
};

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

  void InsertRow(int position, const RoundRecord& record);
  // Puts `rows` above the current top row, keeping their order: rows.front() becomes row 0.
  void InsertRowsAtTop(std::vector<PackedRound> rows);
  void SetRow(int row, const RoundRecord& record);
  void RemoveRow(int row);
  // order[newRow] is the old row that moves to newRow; it must be a permutation of the rows.
  void Reorder(const std::vector<int>& order);
  void Reverse();

  // Changes with every change of the rows or their order.
  std::uint64_t Revision() const { return revision_; }

  void AddObserver(RoundTableObserver* observer);
  void RemoveObserver(RoundTableObserver* observer);

 private:
  std::vector<PackedRound> rows_;
  std::vector<RoundTableObserver*> observers_;
  std::uint64_t revision_ = 0;
};

}  // namespace larkspin
