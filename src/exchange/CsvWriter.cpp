#include "CsvWriter.h"

#include <vector>

#include "CsvColumns.h"

namespace larkspin {

namespace {

bool IsSpecial(char c) {
  return c == ',' || c == '"' || c == '\r' || c == '\n';
}

bool NeedsQuotes(std::string_view cell) {
  for (const char c : cell) {
    if (IsSpecial(c)) return true;
  }
  return false;
}

// Writes a cell as AppendCsvField does at `out`, which has room for twice its size and three
// bytes more; returns where it ends.
char* PutField(char* out, std::string_view cell) {
  if (!NeedsQuotes(cell)) {
    // Cells are a few bytes as a rule: a plain loop beats calling memcpy.
    for (const char c : cell)
      *out++ = c;
    return out;
  }
  *out++ = '"';
  for (const char c : cell) {
    if (c == '"') *out++ = '"';
    *out++ = c;
  }
  *out++ = '"';
  return out;
}

// `cellsOf(row)` gives a row's cells, indexed by the columns' cells.
template <typename CellsOf>
bool WriteCsv(const std::vector<CsvColumn>& columns, int rows, CellsOf cellsOf,
              const ByteSink& sink) {
  // Handed on in pieces of about a megabyte: a 30 MB file needs no 30 MB buffer.
  constexpr std::size_t kPieceSize = 1 << 20;
  std::string buffer(kPieceSize, '\0');
  std::string header(kUtf8ByteOrderMark);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) header += ',';
    header += columns[i].name;
  }
  header += "\r\n";
  if (!sink(header)) return false;
  std::size_t used = 0;
  for (int row = 0; row < rows; ++row) {
    const auto& cells = cellsOf(row);
    // Room for the row at its longest: every byte a doubled quote, every cell quoted.
    std::size_t longest = 2;
    for (const CsvColumn& column : columns)
      longest += 2 * std::string_view(cells[column.cell]).size() + 3;
    if (used + longest > buffer.size()) {
      if (!sink(std::string_view(buffer.data(), used))) return false;
      used = 0;
      if (longest > buffer.size()) buffer.resize(longest);
    }
    char* const start = buffer.data() + used;
    char* out = start;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) *out++ = ',';
      out = PutField(out, cells[columns[i].cell]);
    }
    *out++ = '\r';
    *out++ = '\n';
    used += static_cast<std::size_t>(out - start);
  }
  return sink(std::string_view(buffer.data(), used));
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view cell) {
  const std::size_t start = out.size();
  out.resize(start + 2 * cell.size() + 2);
  out.resize(static_cast<std::size_t>(PutField(out.data() + start, cell) - out.data()));
}

bool WriteRoundsCsv(const RoundTable& table, const ByteSink& sink) {
  RoundCells cells;
  return WriteCsv(
      RoundCsvColumns(), table.RowCount(),
      [&](int row) -> const RoundCells& { return cells = table.Cells(row); }, sink);
}

bool WriteCoursesCsv(const CourseTable& table, const ByteSink& sink) {
  return WriteCsv(
      CourseCsvColumns(), table.RowCount(),
      [&](int row) -> const CourseRecord& { return table.Row(row); }, sink);
}

}  // namespace larkspin
