#pragma once

#include <string>
#include <string_view>

#include "CourseTable.h"
#include "DiskFile.h"
#include "RoundTable.h"

namespace larkspin {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends a cell as a field of RFC 4180 CSV: in double quotes when it holds a comma, a double
// quote, CR or LF, each double quote then doubled; as it is otherwise.
void AppendCsvField(std::string& out, std::string_view cell);

// Hands the CSV of a table to `sink` in pieces: a UTF-8 byte-order mark (spreadsheet programs
// then show accents right), the header row with the column names (see CsvColumns.h), then one row
// per table row, top row first, each cell exactly as the table holds it; CR LF after every row.
// False when the sink fails.
bool WriteRoundsCsv(const RoundTable& table, const ByteSink& sink);
bool WriteCoursesCsv(const CourseTable& table, const ByteSink& sink);

}  // namespace larkspin
