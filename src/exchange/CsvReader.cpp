#include "CsvReader.h"

#include <csv.h>

#include "TextEncoding.h"

namespace larkspin {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The mark read as Windows-1252 ("ï»¿") and saved again as UTF-8, as a spreadsheet does when the
// file is opened without choosing its encoding.
constexpr std::string_view kByteOrderMarkAs1252 = "\xC3\xAF\xC2\xBB\xC2\xBF";
// A longer cell of the first row is no column's name: this much of it is kept, for the messages.
constexpr std::size_t kNameBytes = 256;
// The first line decides the separator; of a longer one, this much.
constexpr std::size_t kHeadLimit = 64 * 1024;

// Spaces are part of a cell: libcsv would drop leading spaces of a cell that is not quoted.
int NoSpace(unsigned char /*c*/) {
  return 0;
}

bool IsTrailingBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// The encoding of a text in UTF-16 or UTF-32, told by its byte-order mark or, without one, by the
// zero bytes of its first character (a CSV file begins with text, never with a zero byte); none
// for any other text.
const char* WideEncoding(std::string_view text) {
  const auto byte = [&text](std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : -1;
  };
  if (text.size() >= 4 && ((byte(0) == 0 && byte(1) == 0 && byte(2) == 0xFE && byte(3) == 0xFF) ||
                           (byte(0) == 0xFF && byte(1) == 0xFE && byte(2) == 0 && byte(3) == 0) ||
                           (byte(0) == 0 && byte(1) == 0 && byte(2) == 0 && byte(3) != 0) ||
                           (byte(0) != 0 && byte(1) == 0 && byte(2) == 0 && byte(3) == 0))) {
    return "UTF-32";
  }
  if (text.size() >= 2 &&
      ((byte(0) == 0xFE && byte(1) == 0xFF) || (byte(0) == 0xFF && byte(1) == 0xFE) ||
       (byte(0) == 0) != (byte(1) == 0))) {
    return "UTF-16";
  }
  return nullptr;
}

}  // namespace

CsvReader::CsvReader(RowHandler onRow)
    : onRow_(std::move(onRow)), parser_(std::make_unique<csv_parser>()) {
  // Strict: a quote out of place or never closed refuses the text. Every line end outside a
  // quoted cell is reported, so that lines can be counted.
  csv_init(parser_.get(), CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL);
  csv_set_space_func(parser_.get(), NoSpace);
  csv_set_blk_size(parser_.get(), 1024);
}

CsvReader::~CsvReader() {
  csv_free(parser_.get());
}

bool CsvReader::Feed(std::string_view bytes) {
  if (failed_) return false;
  if (started_) return Parse(bytes);
  const bool firstLineWhole = ScanFirstLine(bytes);
  head_.append(bytes);
  return firstLineWhole ? Start() : true;
}

bool CsvReader::ScanFirstLine(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (head_.size() + i >= kHeadLimit) return true;
    const char c = bytes[i];
    if (c == '"') {
      firstLine_.quoted = !firstLine_.quoted;
    } else if (!firstLine_.quoted && (c == '\n' || c == '\r')) {
      return true;
    } else if (!firstLine_.quoted && c == ',') {
      ++firstLine_.commas;
    } else if (!firstLine_.quoted && c == ';') {
      ++firstLine_.semicolons;
    }
  }
  return false;
}

bool CsvReader::Finish() {
  if (failed_ || (!started_ && !Start())) return false;
  if (csv_fini(parser_.get(), &CsvReader::OnCell, &CsvReader::OnRowEnd, this) != 0 && !failed_) {
    Fail(CurrentColumn(), "the quote that opens the cell is never closed");
  }
  return !failed_;
}

bool CsvReader::Start() {
  started_ = true;
  std::string head;
  head.swap(head_);
  std::string_view text = head;
  if (const char* encoding = WideEncoding(text)) {
    failed_ = true;
    problem_ = CsvProblem{0, 0, {}, "it is " + std::string(encoding) + "; save it as UTF-8 or CSV"};
    return false;
  }
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  // Semicolons when the first line holds more of them than commas, as files saved where the
  // comma is the decimal sign do.
  csv_set_delim(parser_.get(), firstLine_.semicolons > firstLine_.commas ? ';' : ',');
  return Parse(text);
}

bool CsvReader::Parse(std::string_view bytes) {
  const std::size_t parsed = csv_parse(parser_.get(), bytes.data(), bytes.size(),
                                       &CsvReader::OnCell, &CsvReader::OnRowEnd, this);
  // libcsv holds the cell it is reading whole: a first row of one endless "name" would cost its
  // size again before the name could be cut short.
  if (!failed_ && headerCells_ == 0 && parser_->entry_pos > kHeadLimit) FailLongName();
  if (parsed < bytes.size() && !failed_) {
    if (csv_error(parser_.get()) != CSV_EPARSE) {
      Fail(0, csv_strerror(csv_error(parser_.get())));
    } else if (parser_->quoted) {
      Fail(CurrentColumn(), "text follows the closing quote of the cell");
    } else {
      Fail(CurrentColumn(), "a double quote stands inside a cell that does not begin with one");
    }
  }
  return !failed_;
}

void CsvReader::OnCell(void* bytes, std::size_t size, void* reader) {
  static_cast<CsvReader*>(reader)->AddCell(
      std::string_view(static_cast<const char*>(bytes), bytes ? size : 0));
}

void CsvReader::OnRowEnd(int terminator, void* reader) {
  static_cast<CsvReader*>(reader)->EndRow(terminator);
}

void CsvReader::AddCell(std::string_view cell) {
  if (failed_) return;
  afterCarriageReturn_ = false;
  // A row longer than the first is refused at its end; its cells beyond are only counted, so that
  // a row of millions of cells takes no memory.
  if (headerCells_ > 0 && cellEnds_.size() + extraCells_ >= headerCells_) {
    ++extraCells_;
    return;
  }
  if (headerCells_ == 0) {
    if (cellEnds_.size() == kCsvColumnLimit) {
      Fail(static_cast<int>(kCsvColumnLimit) + 1,
           "the first row names more than 1,000 columns, more than Larkspin reads");
      return;
    }
    if (cell.size() > kHeadLimit) {
      FailLongName();
      return;
    }
    if (cell.size() > kNameBytes) {
      std::size_t cut = kNameBytes;
      while (cut > 0 && (static_cast<unsigned char>(cell[cut]) & 0xC0) == 0x80)
        --cut;
      cell = cell.substr(0, cut);
    }
  }
  // One pass over the cell, which is a few bytes as a rule: line breaks, and whether it is ASCII.
  bool ascii = true;
  for (const char c : cell) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\n' || byte == '\r') {
      Fail(CurrentColumn(), "the cell holds a line break, which the data files cannot store");
      return;
    }
    ascii = ascii && byte < 0x80;
  }
  while (!cell.empty() && IsTrailingBlank(cell.back()))
    cell.remove_suffix(1);
  const std::size_t begin = rowText_.size();
  if (ascii || IsValidUtf8(cell)) {
    rowText_ += cell;
  } else {
    rowText_ += Windows1252ToUtf8(cell);
  }
  // The mark is taken off the text as stored, every copy of it, so that the name reads the same
  // when written out and read again, whichever encoding it was read in.
  if (headerCells_ == 0 && cellEnds_.empty()) {
    std::size_t marks = 0;
    while (std::string_view(rowText_).substr(marks).starts_with(kByteOrderMarkAs1252))
      marks += kByteOrderMarkAs1252.size();
    rowText_.erase(0, marks);
  }
  // A name read as Windows-1252 grows: kept to the same length as a UTF-8 one, so that it reads
  // the same when written out and read again.
  if (headerCells_ == 0 && rowText_.size() - begin > kNameBytes) {
    std::size_t cut = begin + kNameBytes;
    while (cut > begin && (static_cast<unsigned char>(rowText_[cut]) & 0xC0) == 0x80)
      --cut;
    while (cut > begin && IsTrailingBlank(rowText_[cut - 1]))
      --cut;
    rowText_.resize(cut);
  }
  cellEnds_.push_back(rowText_.size());
}

void CsvReader::EndRow(int terminator) {
  if (failed_) return;
  if (!cellEnds_.empty()) {
    cells_.clear();
    std::size_t begin = 0;
    for (const std::size_t end : cellEnds_) {
      cells_.emplace_back(rowText_.data() + begin, end - begin);
      begin = end;
    }
    if (headerCells_ == 0) {
      headerCells_ = cells_.size();
    } else if (extraCells_ > 0) {
      Fail(static_cast<int>(headerCells_) + 1,
           "the row has " + std::to_string(cells_.size() + extraCells_) + " cells, more than the " +
               std::to_string(headerCells_) + " columns the first row names");
      return;
    }
    onRow_(cells_, line_);
    rowText_.clear();
    cellEnds_.clear();
  }
  // CR LF is one line end; CR alone and LF alone are one each.
  if (terminator == '\r' || (terminator == '\n' && !afterCarriageReturn_)) ++line_;
  afterCarriageReturn_ = terminator == '\r';
}

void CsvReader::FailLongName() {
  Fail(CurrentColumn(),
       "a cell of the first row is longer than 65,536 bytes, which no column's "
       "name is");
}

void CsvReader::Fail(int column, std::string reason) {
  failed_ = true;
  problem_ = CsvProblem{line_, column, {}, std::move(reason)};
}

}  // namespace larkspin
