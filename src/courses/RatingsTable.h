#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "RatingRecord.h"

namespace larkspin {

// The course ratings, a record per course name, in the course selector's order (see
// IsBeforeInCourseList); names that compare equal keep the order they came in. Records are found
// by exact, case-sensitive name; where a file gave one name twice, the first record is the one
// that counts.
class RatingsTable {
 public:
  int RowCount() const { return static_cast<int>(rows_.size()); }
  bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
  const RatingRecord& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

  // The first record of this name, -1 when there is none.
  int Find(std::string_view course) const;
  // The row a record of this name goes to: after every name the selector lists before it or
  // beside it.
  int PlaceFor(std::string_view course) const;
  // Puts the record in its place (see PlaceFor) and returns its row.
  int Insert(RatingRecord record);
  // At `row`, clamped to the table, for putting back what TakeRow took.
  void InsertRow(int row, RatingRecord record);
  // Takes the row out of the table and hands it over; an empty record for a row not in it.
  RatingRecord TakeRow(int row);

  // Changes with every change of the rows.
  std::uint64_t Revision() const { return revision_; }

 private:
  std::vector<RatingRecord> rows_;
  std::uint64_t revision_ = 0;
};

}  // namespace larkspin
