#include "CourseTable.h"

#include <algorithm>
#include <iterator>

namespace larkspin {

void CourseTable::InsertRow(int position, CourseRecord record) {
  position = std::clamp(position, 0, RowCount());
  rows_.insert(rows_.begin() + position, std::move(record));
  ++revision_;
}

void CourseTable::InsertRowsAtTop(std::vector<CourseRecord> rows) {
  rows.insert(rows.end(), std::make_move_iterator(rows_.begin()),
              std::make_move_iterator(rows_.end()));
  rows_ = std::move(rows);
  ++revision_;
}

void CourseTable::SetRow(int row, CourseRecord record) {
  if (!HasRow(row)) return;
  rows_[row] = std::move(record);
  ++revision_;
}

CourseRecord CourseTable::TakeRow(int row) {
  if (!HasRow(row)) return {};
  CourseRecord taken = std::move(rows_[row]);
  rows_.erase(rows_.begin() + row);
  ++revision_;
  return taken;
}

void CourseTable::Reverse() {
  std::reverse(rows_.begin(), rows_.end());
  ++revision_;
}

int CourseTable::FindFirst(std::string_view name) const {
  for (int row = 0; row < RowCount(); ++row) {
    if (rows_[row][kCourseNameCell] == name) return row;
  }
  return -1;
}

int CourseTable::FindLast(std::string_view name) const {
  for (int row = RowCount() - 1; row >= 0; --row) {
    if (rows_[row][kCourseNameCell] == name) return row;
  }
  return -1;
}

bool CourseTable::Contains(std::string_view name, std::string_view date) const {
  return std::any_of(rows_.begin(), rows_.end(), [&](const CourseRecord& row) {
    return row[kCourseNameCell] == name && row[kCourseDateCell] == date;
  });
}

}  // namespace larkspin
