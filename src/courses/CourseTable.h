#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "CourseRecord.h"

namespace larkspin {

// The courses, newest first. Rows are found by exact, case-sensitive name; names need not be
// unique.
class CourseTable {
 public:
  int RowCount() const { return static_cast<int>(rows_.size()); }
  bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
  const CourseRecord& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

  void InsertAtTop(CourseRecord record) { InsertRow(0, std::move(record)); }
  // At `position`, clamped to the table.
  void InsertRow(int position, CourseRecord record);
  // Puts `rows` above the current top row, keeping their order: rows.front() becomes row 0.
  void InsertRowsAtTop(std::vector<CourseRecord> rows);
  void SetRow(int row, CourseRecord record);
  void RemoveRow(int row) { TakeRow(row); }
  // Takes the row out of the table and hands it over; an empty course for a row not in it.
  CourseRecord TakeRow(int row);
  void Reverse();

  // Index of the first (newest) or last (oldest) row with this name, -1 when there is none.
  int FindFirst(std::string_view name) const;
  int FindLast(std::string_view name) const;
  bool Contains(std::string_view name, std::string_view date) const;

  // Changes with every change of the rows or their order.
  std::uint64_t Revision() const { return revision_; }

 private:
  std::vector<CourseRecord> rows_;
  std::uint64_t revision_ = 0;
};

}  // namespace larkspin
