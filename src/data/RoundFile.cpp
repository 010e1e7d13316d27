#include "RoundFile.h"

#include <algorithm>
#include <array>

#include "KeyValueLines.h"
#include "TextEncoding.h"

namespace larkspin {

namespace {

// "1" to "18" without leading zero, else 0.
int HoleNumber(std::string_view digits) {
  if (digits.size() == 1 && digits[0] >= '1' && digits[0] <= '9') return digits[0] - '0';
  if (digits.size() == 2 && digits[0] == '1' && digits[1] >= '0' && digits[1] <= '8') {
    return 10 + (digits[1] - '0');
  }
  return 0;
}

// The order in which a record's keys are written: putts before clubs.
std::array<std::string, kRoundColumns> MakeRecordKeys() {
  std::array<std::string, kRoundColumns> keys;
  keys[0] = "\r\nCOURSE=";
  keys[1] = "\r\nDATE=";
  int next = 2;
  for (const char letter : {'S', 'D', 'P', 'C'}) {
    for (int hole = 1; hole <= kHoles; ++hole) {
      keys[next++] = "\r\n" + std::string(1, letter) + std::to_string(hole) + "=";
    }
  }
  return keys;
}

std::array<int, kRoundColumns> MakeRecordColumns() {
  std::array<int, kRoundColumns> columns{};
  columns[0] = kCourseColumn;
  columns[1] = kDateColumn;
  int next = 2;
  for (const auto column : {ScoreColumn, DriveColumn, PuttsColumn, ClubColumn}) {
    for (int hole = 1; hole <= kHoles; ++hole)
      columns[next++] = column(hole);
  }
  return columns;
}

}  // namespace

int RoundFileKeyColumn(std::string_view key) {
  if (key == "COURSE") return kCourseColumn;
  if (key == "DATE") return kDateColumn;
  if (key.size() < 2) return -1;
  const int hole = HoleNumber(key.substr(1));
  if (hole == 0) return -1;
  switch (key[0]) {
    case 'S':
      return ScoreColumn(hole);
    case 'D':
      return DriveColumn(hole);
    case 'C':
      return ClubColumn(hole);
    case 'P':
      return PuttsColumn(hole);
    default:
      return -1;
  }
}

std::vector<PackedRound> ParseRoundFile(std::string_view text, SkippedContent* skipped) {
  std::vector<PackedRound> rounds;
  std::array<std::string_view, kRoundColumns> cells{};
  // In a text that is UTF-8 throughout, so is every value; only other texts are judged per value.
  const bool allUtf8 = IsValidUtf8(text);
  std::array<std::string, kRoundColumns> converted;
  std::string scratch;
  SkippedContent ignored;
  SkippedContent& skips = skipped ? *skipped : ignored;
  bool holdsValues = false;
  const auto finishRound = [&] {
    if (!cells[kCourseColumn].empty()) {
      rounds.emplace_back(cells);
    } else if (holdsValues) {
      ++skips.records;
    }
  };
  ForEachKeyValueLine(text, [&](std::string_view key, std::string_view value) {
    const int column = RoundFileKeyColumn(key);
    if (column < 0) return skips.UnknownLine(key, value);
    std::string_view decoded = allUtf8 ? value : DecodeFileValue(value, scratch);
    if (column == kCourseColumn) {
      finishRound();
      cells = {};
      holdsValues = false;
    } else if (!cells[column].empty() && cells[column] != decoded) {
      ++skips.repeatedLines;  // the value before is lost
    }
    if (decoded.data() == scratch.data()) {
      converted[column].swap(scratch);
      decoded = converted[column];
    }
    cells[column] = decoded;
    holdsValues = holdsValues || !value.empty();
  });
  finishRound();
  return rounds;
}

bool HoldsMoreThanHeader(std::string_view text) {
  bool more = false;
  ForEachKeyValueLine(text, [&more](std::string_view key, std::string_view value) {
    // A header line holds a short text; one with control characters in it (a file whose line
    // ends are CR alone reads as one long line) is more than a header.
    const bool header = key == "CREATOR" && std::none_of(value.begin(), value.end(), [](char c) {
                          return static_cast<unsigned char>(c) < 0x20;
                        });
    if (!header && (!key.empty() || !value.empty())) more = true;
  });
  return more;
}

void AppendFileValue(std::string& out, std::string_view value) {
  const std::size_t start = out.size();
  out.append(value);
  for (std::size_t i = start; i < out.size(); ++i) {
    if (out[i] == '\n' || out[i] == '\x1A') out[i] = ' ';
  }
}

bool WriteRoundFile(const RoundTable& table, const ByteSink& sink) {
  static const auto keys = MakeRecordKeys();
  static const auto columns = MakeRecordColumns();
  // Handed on in pieces of about a megabyte: a 50 MB file needs no 50 MB buffer.
  constexpr std::size_t kPieceSize = 1 << 20;
  std::string out;
  if (table.RowCount() == 0) return true;
  out.reserve(kPieceSize + 4096);
  out += kDataFileHeader;
  for (int row = table.RowCount() - 1; row >= 0; --row) {
    if (row != table.RowCount() - 1) out += "\r\n";  // the empty line between records
    for (int i = 0; i < kRoundColumns; ++i) {
      out += keys[i];
      AppendFileValue(out, table.Cell(row, columns[i]));
    }
    if (out.size() >= kPieceSize) {
      if (!sink(out)) return false;
      out.clear();
    }
  }
  out += "\r\n";
  return sink(out);
}

}  // namespace larkspin
