#include "CsvWriter.h"

#include <vector>

#include "CsvColumns.h"

namespace larkspin {

namespace {

bool NeedsQuotes(std::string_view cell) {
  for (const char c : cell) {
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

// `cellsOf(row)` gives a row's cells, indexed by the columns' cells.
template <typename CellsOf>
bool WriteCsv(const std::vector<CsvColumn>& columns, int rows, CellsOf cellsOf,
              const ByteSink& sink) {
  // Handed on in pieces of about a megabyte: a 30 MB file needs no 30 MB buffer.
  constexpr std::size_t kPieceSize = 1 << 20;
  std::string out;
  out.reserve(kPieceSize + 4096);
  out += kUtf8ByteOrderMark;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out += ',';
    out += columns[i].name;
  }
  out += "\r\n";
  for (int row = 0; row < rows; ++row) {
    const auto& cells = cellsOf(row);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out += ',';
      AppendCsvField(out, cells[columns[i].cell]);
    }
    out += "\r\n";
    if (out.size() >= kPieceSize) {
      if (!sink(out)) return false;
      out.clear();
    }
  }
  return sink(out);
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view cell) {
  if (!NeedsQuotes(cell)) {
    out += cell;
    return;
  }
  out += '"';
  for (const char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
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
