#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct csv_parser;

namespace larkspin {

// Why a CSV text cannot be read: where, and what is wrong there.
struct CsvProblem {
  long long line = 0;  // counted from 1; 0 when it concerns no line in particular
  int column = 0;      // counted from 1; 0 when it concerns no column in particular
  std::string columnName;
  std::string reason;
};

// No file of rounds or courses needs more columns; a first row naming more is refused at once.
inline constexpr std::size_t kCsvColumnLimit = 1000;

// Reads CSV text as RFC 4180 describes it and as spreadsheet programs save it, through libcsv:
// - with or without a UTF-8 byte-order mark, or that mark read as Windows-1252 and saved again
//   ("ï»¿" before the first cell);
// - cells separated by commas or by semicolons, whichever the first line holds more of;
// - lines ending in CR LF, LF or CR; empty lines are skipped;
// - each cell handed on as UTF-8 (a cell that is not UTF-8 is read as Windows-1252, as the data
//   files are), leading spaces kept, trailing spaces, tabs, vertical tabs and form feeds dropped,
//   as the data files' reader drops them.
// - the first row's cells (the columns' names) kept to their first 256 bytes.
// Refused, naming the line and the column: a double quote inside a cell that does not begin with
// one, text after a cell's closing quote, a quote that is never closed, a cell holding a line
// break (the data files cannot store one), a row with more cells than the first row, a first row
// of more than kCsvColumnLimit cells or with a cell of more than 64 KB. Refused as a whole: a
// text in UTF-16 or UTF-32.
// Whatever the text, the reader holds one row and one cell at a time.
class CsvReader {
 public:
  // Gets each row that holds any cell, the first (the header) included, and the line it is on.
  using RowHandler = std::function<void(std::span<const std::string_view> cells, long long line)>;

  explicit CsvReader(RowHandler onRow);
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // The next piece of the text, of any size. False once the text is refused.
  bool Feed(std::string_view bytes);
  // The end of the text. False when the text is refused.
  bool Finish();
  // What was refused, once Feed() or Finish() has returned false.
  const CsvProblem& Problem() const { return problem_; }

 private:
  static void OnCell(void* bytes, std::size_t size, void* reader);
  static void OnRowEnd(int terminator, void* reader);

  // Counts the separators of the first line in the next bytes; true once it is whole.
  bool ScanFirstLine(std::string_view bytes);
  bool Start();
  bool Parse(std::string_view bytes);
  void AddCell(std::string_view cell);
  void EndRow(int terminator);
  void Fail(int column, std::string reason);
  void FailLongName();
  int CurrentColumn() const { return static_cast<int>(cellEnds_.size()) + 1; }

  RowHandler onRow_;
  std::unique_ptr<csv_parser> parser_;
  bool started_ = false;
  bool failed_ = false;
  std::string head_;  // the text until the first line is whole, which decides the separator
  struct {
    bool quoted = false;
    std::size_t commas = 0;
    std::size_t semicolons = 0;
  } firstLine_;
  long long line_ = 1;
  bool afterCarriageReturn_ = false;
  std::string rowText_;  // the current row's cells, one after the other
  std::vector<std::size_t> cellEnds_;
  std::vector<std::string_view> cells_;
  std::size_t headerCells_ = 0;
  std::size_t extraCells_ = 0;  // of the current row, beyond the first row's
  CsvProblem problem_;
};

}  // namespace larkspin
