#include "RoundFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

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

// A record's keys in the order they are written, putts before clubs, each with its column.
struct RecordKey {
  std::string text;  // "COURSE", "S5"...
  int column = 0;
  // The key and its "=" as the first bytes of a line, for comparing eight bytes at once.
  std::uint64_t bytes = 0;
  std::uint64_t mask = 0;
  std::size_t length = 0;  // of the key and its "="
};

std::array<RecordKey, kRoundColumns> MakeRecordKeys() {
  std::array<RecordKey, kRoundColumns> keys;
  keys[0] = {"COURSE", kCourseColumn};
  keys[1] = {"DATE", kDateColumn};
  int next = 2;
  for (const char letter : {'S', 'D', 'P', 'C'}) {
    for (int hole = 1; hole <= kHoles; ++hole) {
      const int column = letter == 'S'   ? ScoreColumn(hole)
                         : letter == 'D' ? DriveColumn(hole)
                         : letter == 'P' ? PuttsColumn(hole)
                                         : ClubColumn(hole);
      keys[next++] = {std::string(1, letter) + std::to_string(hole), column};
    }
  }
  for (RecordKey& key : keys) {
    const std::string line = key.text + "=";
    key.length = line.size();  // at most 7
    std::array<char, 8> bytes{};
    std::array<char, 8> mask{};
    std::memcpy(bytes.data(), line.data(), line.size());
    std::fill_n(mask.begin(), line.size(), '\xFF');
    std::memcpy(&key.bytes, bytes.data(), 8);
    std::memcpy(&key.mask, mask.data(), 8);
  }
  return keys;
}

const std::array<RecordKey, kRoundColumns>& RecordKeys() {
  static const auto keys = MakeRecordKeys();
  return keys;
}

// Where each column's key stands in the order a record is written.
const std::array<int, kRoundColumns>& WriteIndexOfColumn() {
  static const auto indexes = [] {
    std::array<int, kRoundColumns> indexes{};
    for (int i = 0; i < kRoundColumns; ++i)
      indexes[RecordKeys()[i].column] = i;
    return indexes;
  }();
  return indexes;
}

bool IsTrailingSpace(char c) {
  // One test for the five: space, tab, CR, vertical tab and form feed.
  constexpr std::uint64_t kSpaces =
      (1ull << ' ') | (1ull << '\t') | (1ull << '\r') | (1ull << '\v') | (1ull << '\f');
  const auto byte = static_cast<unsigned char>(c);
  return byte <= ' ' && ((kSpaces >> byte) & 1) != 0;
}

bool IsHeaderLine(std::string_view key, std::string_view value) {
  // A header line holds a short text; one with control characters in it (a file whose line ends
  // are CR alone reads as one long line) is more than a header.
  return key == "CREATOR" && std::none_of(value.begin(), value.end(), [](char c) {
           return static_cast<unsigned char>(c) < 0x20;
         });
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

RoundFileReader::RoundFileReader(SkippedContent* skipped)
    : skipped_(skipped ? *skipped : ignored_) {}

void RoundFileReader::FinishRound() {
  if (!cells_[kCourseColumn].empty()) {
    rounds_.emplace_back(cells_);
  } else if (holdsValues_) {
    ++skipped_.records;
  }
}

inline void RoundFileReader::ReadValue(int column, std::string_view value, bool utf8) {
  std::string_view decoded = utf8 ? value : DecodeFileValue(value, scratch_);
  if (column == kCourseColumn) {
    FinishRound();
    cells_ = {};
    holdsValues_ = false;
  } else if (!cells_[column].empty() && cells_[column] != decoded) {
    ++skipped_.repeatedLines;  // the value before is lost
  }
  if (!utf8 && decoded.data() == scratch_.data()) {
    owned_[column].swap(scratch_);
    decoded = owned_[column];
  }
  cells_[column] = decoded;
  holdsValues_ = holdsValues_ || !value.empty();
}

void RoundFileReader::FollowForm(const char* line, const char* trimmedEnd, const char* rawEnd,
                                 const char* end, int keyIndex, bool valueEmpty) {
  // The writer ends every line with CR LF, writes no space a reader would trim, and writes every
  // key of a record in its order, after its header line and with an empty line between records.
  if (form_ == Form::kOther) return;
  const bool crLf = rawEnd < end && trimmedEnd + 1 == rawEnd && *trimmedEnd == '\r';
  if (!crLf) {
    form_ = Form::kOther;
  } else if (keyIndex >= 0) {
    const bool next = form_ == Form::kRecordStart
                          ? keyIndex == 0 && !valueEmpty
                          : form_ == Form::kRecordLines && keyIndex == nextKey_;
    form_ = !next                           ? Form::kOther
            : keyIndex + 1 == kRoundColumns ? Form::kRecordEnd
                                            : Form::kRecordLines;
  } else if (form_ == Form::kHeader) {
    constexpr std::string_view kHeader = kDataFileHeader;
    form_ = std::string_view(line, static_cast<std::size_t>(trimmedEnd - line)) == kHeader
                ? Form::kRecordStart
                : Form::kOther;
  } else {
    form_ = form_ == Form::kRecordEnd && trimmedEnd == line ? Form::kRecordStart : Form::kOther;
  }
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;

// The offset of the first line feed in eight bytes read from memory, 8 when there is none.
int FirstLineFeed(std::uint64_t bytes) {
  if constexpr (std::endian::native != std::endian::little) {
    for (int i = 0; i < 8; ++i) {
      if (((bytes >> (56 - 8 * i)) & 0xFF) == '\n') return i;
    }
    return 8;
  }
  // A byte that was a line feed becomes zero, and the lowest zero byte sets its top bit here.
  const std::uint64_t x = bytes ^ (kOnes * '\n');
  const std::uint64_t found = (x - kOnes) & ~x & (kOnes * 0x80);
  return std::countr_zero(found) / 8;
}

}  // namespace

const char* RoundFileReader::ReadOwnLines(const char* p, const char* end) {
  // Within a record the program wrote, every key comes once and in its order: no value can be
  // repeated, and the record's start has emptied the cells. The state is kept in locals here,
  // where the compiler can hold it in registers across the stores of the cells.
  if (form_ != Form::kRecordLines) return p;
  const auto& keys = RecordKeys();
  int next = nextKey_;
  bool holdsValues = holdsValues_;
  while (next != 0 && end - p >= 16) {
    const RecordKey& key = keys[next];
    std::uint64_t start;
    std::memcpy(&start, p, 8);
    if ((start & key.mask) != key.bytes) break;
    const char* const value = p + key.length;
    std::uint64_t after;
    std::memcpy(&after, value, 8);
    const int at = FirstLineFeed(after);
    if (at == 0 || at == 8 || value[at - 1] != '\r' || (at >= 2 && IsTrailingSpace(value[at - 2])))
      break;
    cells_[key.column] = std::string_view(value, static_cast<std::size_t>(at - 1));
    holdsValues = holdsValues || at > 1;
    next = next + 1 == kRoundColumns ? 0 : next + 1;
    p = value + at + 1;
  }
  if (next == 0) form_ = Form::kRecordEnd;  // the record's last key was read
  nextKey_ = next;
  holdsValues_ = holdsValues;
  return p;
}

void RoundFileReader::Read(std::string_view lines) {
  // In a piece that is UTF-8 throughout, so is every value; only other pieces are judged per
  // value. Pieces end at line feeds, which no UTF-8 sequence holds, so this judges each value as
  // the whole text would.
  const bool utf8 = IsValidUtf8(lines);
  if (!utf8) form_ = Form::kOther;  // its values are read as Windows-1252 and written as UTF-8
  const auto& keys = RecordKeys();
  const auto& writeIndexOf = WriteIndexOfColumn();
  const char* p = lines.data();
  const char* const end = p + lines.size();
  // A file the program wrote has its keys in the order it writes them: the key the next line most
  // likely has is tried first, eight bytes at once, and its short value searched for the line
  // feed eight bytes at once too.
  while (p < end) {
    p = ReadOwnLines(p, end);
    if (p == end) break;
    int column = -1;
    int nextKey = 0;
    const char* value = nullptr;
    const char* lineEnd = nullptr;
    // Where the value ends when the line ends as the program ends it: CR LF, no space before.
    const char* ownValueEnd = nullptr;
    if (end - p >= 16) {
      const RecordKey& key = keys[nextKey_];
      std::uint64_t start;
      std::memcpy(&start, p, 8);
      if ((start & key.mask) == key.bytes) {
        column = key.column;
        nextKey = nextKey_ + 1 == kRoundColumns ? 0 : nextKey_ + 1;
        value = p + key.length;
        std::uint64_t after;
        std::memcpy(&after, value, 8);
        if (const int at = FirstLineFeed(after); at < 8) {
          lineEnd = value + at;
          if (at > 0 && value[at - 1] == '\r' && (at == 1 || !IsTrailingSpace(value[at - 2]))) {
            ownValueEnd = lineEnd - 1;
          }
        } else {
          lineEnd = value + 8;
          while (lineEnd < end && *lineEnd != '\n')
            ++lineEnd;
        }
      }
    }
    const bool fastPath = value != nullptr;
    const char* equals = nullptr;
    if (!value) {
      lineEnd = p;
      while (lineEnd < end && *lineEnd != '\n') {
        if (*lineEnd == '=' && !equals) equals = lineEnd;
        ++lineEnd;
      }
    }
    const char* const next = lineEnd < end ? lineEnd + 1 : end;
    const char* const rawEnd = lineEnd;
    if (ownValueEnd) {
      lineEnd = ownValueEnd;
    } else {
      while (lineEnd > p && IsTrailingSpace(lineEnd[-1]))
        --lineEnd;
    }
    if (!value) {
      // Any other line: the key is what stands before the first "=", the value what follows.
      const std::string_view key =
          equals ? std::string_view(p, equals - p) : std::string_view(p, lineEnd - p);
      value = equals ? equals + 1 : lineEnd;
      column = RoundFileKeyColumn(key);
      if (column < 0) {
        FollowForm(p, lineEnd, rawEnd, end, -1, false);
        skipped_.UnknownLine(key, std::string_view(value, lineEnd - value));
        p = next;
        continue;
      }
      nextKey = writeIndexOf[column] + 1 == kRoundColumns ? 0 : writeIndexOf[column] + 1;
    }
    if (ownValueEnd && form_ == Form::kRecordLines && nextKey != 0) {
      // Most lines of a file in the program's own form: the record's next key, then CR LF.
    } else {
      // A key with no "=" after it ("DATE") reads as an empty value, but is not written so.
      const bool written = fastPath || equals;
      FollowForm(p, lineEnd, rawEnd, end,
                 !written       ? -1
                 : nextKey == 0 ? kRoundColumns - 1
                                : nextKey - 1,
                 value == lineEnd);
    }
    ReadValue(column, std::string_view(value, lineEnd - value), utf8);
    nextKey_ = nextKey;
    p = next;
  }
  // The round may go on in the next piece, whose bytes replace these.
  for (int column = 0; column < kRoundColumns; ++column) {
    std::string_view& cell = cells_[column];
    if (!cell.empty() && cell.data() != owned_[column].data()) {
      owned_[column].assign(cell);
      cell = owned_[column];
    }
  }
}

std::vector<PackedRound> RoundFileReader::Finish() {
  FinishRound();
  cells_ = {};
  holdsValues_ = false;
  return std::move(rounds_);
}

std::vector<PackedRound> ParseRoundFile(std::string_view text, SkippedContent* skipped) {
  RoundFileReader reader(skipped);
  reader.Read(text);
  return reader.Finish();
}

bool HoldsMoreThanHeader(std::string_view text) {
  // Line by line, to stop at the first line that is more: in a file of rounds, the second.
  while (!text.empty()) {
    const std::size_t lineFeed = text.find('\n');
    const std::string_view line = text.substr(0, lineFeed);
    bool more = false;
    ForEachKeyValueLine(line, [&more](std::string_view key, std::string_view value) {
      if (!IsHeaderLine(key, value) && (!key.empty() || !value.empty())) more = true;
    });
    if (more) return true;
    if (lineFeed == std::string_view::npos) break;
    text.remove_prefix(lineFeed + 1);
  }
  return false;
}

void AppendFileValue(std::string& out, std::string_view value) {
  const std::size_t start = out.size();
  out.append(value);
  for (std::size_t i = start; i < out.size(); ++i) {
    if (out[i] == '\n' || out[i] == '\x1A') out[i] = ' ';
  }
}

bool WriteRoundFile(const RoundTable& table, const ByteSink& sink) {
  const auto& keys = RecordKeys();
  // Each key as it stands in the file, after the line end before it, in 16 bytes: copied whole,
  // whatever its length, and the bytes past it written over by what follows.
  struct LineStart {
    std::array<char, 16> bytes{};
    std::size_t length = 0;
  };
  static const auto lineStarts = [&keys] {
    std::array<LineStart, kRoundColumns> starts;
    for (int i = 0; i < kRoundColumns; ++i) {
      const std::string text = "\r\n" + keys[i].text + "=";
      std::memcpy(starts[i].bytes.data(), text.data(), text.size());
      starts[i].length = text.size();
    }
    return starts;
  }();
  static const std::size_t keyBytes = [] {
    std::size_t bytes = 0;
    for (const LineStart& start : lineStarts)
      bytes += start.length;
    return bytes;
  }();
  if (table.RowCount() == 0) return true;
  // Handed on in pieces of about a megabyte: a 50 MB file needs no 50 MB buffer.
  constexpr std::size_t kPieceSize = 1 << 20;
  constexpr std::size_t kSlack = 16;
  std::vector<char> buffer(kPieceSize + 4096);
  std::size_t used = 0;
  const auto room = [&](std::size_t bytes) {
    if (used + bytes + kSlack <= buffer.size()) return true;
    if (used > 0 && !sink(std::string_view(buffer.data(), used))) return false;
    used = 0;
    if (bytes + kSlack > buffer.size()) buffer.resize(bytes + kSlack);
    return true;
  };
  constexpr std::string_view kHeader = kDataFileHeader;
  std::memcpy(buffer.data(), kHeader.data(), kHeader.size());
  used = kHeader.size();
  for (int row = table.RowCount() - 1; row >= 0; --row) {
    const RoundCells cells = table.Cells(row);
    std::size_t textBytes = 0;
    for (const std::string_view cell : cells)
      textBytes += cell.size();
    if (!room(2 + keyBytes + textBytes)) return false;
    char* out = buffer.data() + used;
    if (row != table.RowCount() - 1) {
      *out++ = '\r';  // the empty line between records
      *out++ = '\n';
    }
    for (int i = 0; i < kRoundColumns; ++i) {
      std::memcpy(out, lineStarts[i].bytes.data(), 16);
      out += lineStarts[i].length;
      // Line feeds and control-Z would end the value or the whole file when read back.
      for (const char c : cells[keys[i].column])
        *out++ = c == '\n' || c == '\x1A' ? ' ' : c;
    }
    used = static_cast<std::size_t>(out - buffer.data());
  }
  if (!room(2)) return false;
  buffer[used++] = '\r';
  buffer[used++] = '\n';
  return sink(std::string_view(buffer.data(), used));
}

}  // namespace larkspin
