#pragma once

// The promise of the CSV reader, for the fuzzer and for the tests over the test data: whatever
// the bytes, the cells it reads, written as CSV and read again, are the same cells; and read in
// small pieces, as from a file, they are the same as read at once.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "CsvReader.h"
#include "CsvWriter.h"

namespace larkspin::testing {

using CsvRows = std::vector<std::vector<std::string>>;

// The rows of a CSV text, handed to the reader in pieces of `piece` bytes (0: all at once); false
// when the reader refuses it.
inline bool ReadCsvRows(std::string_view bytes, CsvRows& rows, std::size_t piece = 0) {
  CsvReader reader([&rows](std::span<const std::string_view> cells, long long /*line*/) {
    rows.emplace_back(cells.begin(), cells.end());
  });
  if (piece == 0) piece = bytes.size();
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    if (!reader.Feed(bytes.substr(at, piece))) return false;
  }
  return reader.Finish();
}

// Rows as CSV, with commas. A cell holding a semicolon is quoted too, so that the first row never
// looks separated by semicolons, and a row of one empty cell is written as "", not as an empty
// line, which the reader skips.
inline std::string WriteCsvRows(const CsvRows& rows) {
  std::string out(kUtf8ByteOrderMark);
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) out += ',';
      if (row[i].find(';') != std::string::npos || (row.size() == 1 && row[i].empty())) {
        out += '"';
        for (const char c : row[i]) {
          if (c == '"') out += '"';
          out += c;
        }
        out += '"';
      } else {
        AppendCsvField(out, row[i]);
      }
    }
    out += "\r\n";
  }
  return out;
}

// What goes wrong; empty when nothing does.
inline std::string CheckCsvRoundTrip(std::string_view bytes) {
  CsvRows first;
  const bool read = ReadCsvRows(bytes, first);
  CsvRows inPieces;
  if (ReadCsvRows(bytes, inPieces, 3) != read || inPieces != first) {
    return "read in pieces, the rows differ";
  }
  if (!read) return {};  // refused: nothing read
  const std::string written = WriteCsvRows(first);
  CsvRows second;
  if (!ReadCsvRows(written, second)) return "the written CSV is refused";
  if (second.size() != first.size()) {
    return "read back with " + std::to_string(second.size()) + " rows instead of " +
           std::to_string(first.size());
  }
  for (std::size_t row = 0; row < first.size(); ++row) {
    if (second[row] != first[row])
      return "row " + std::to_string(row + 1) + " reads back otherwise";
  }
  return {};
}

}  // namespace larkspin::testing
