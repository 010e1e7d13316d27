#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace larkspin {

// A column of the CSV files: its name in the header row and the table cell it holds.
struct CsvColumn {
  std::string name;
  int cell;
};

// The columns of rounds, named and ordered as the keys of a record in lks.dat:
// COURSE, DATE, S1..S18, D1..D18, P1..P18, C1..C18.
const std::vector<CsvColumn>& RoundCsvColumns();
// The columns of courses, as the keys of a record in courses.dat: COURSE, DATE, S1..S18.
const std::vector<CsvColumn>& CourseCsvColumns();

// The index in `columns` of the one named `name`, compared without regard to case; -1 for none.
int FindCsvColumn(const std::vector<CsvColumn>& columns, std::string_view name);

}  // namespace larkspin
