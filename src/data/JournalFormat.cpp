#include "JournalFormat.h"

#include <algorithm>
#include <limits>

#include "Crc32.h"

namespace larkspin {

namespace {

constexpr std::string_view kMagic = "LKSJ";
constexpr char kVersion = 1;
constexpr std::size_t kFrameHead = 12;  // length and check
constexpr std::uint64_t kHeaderKind = 0;

void PutFixed(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutVarint(std::string& out, std::uint64_t value) {
  while (value >= 0x80) {
    out += static_cast<char>((value & 0x7F) | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

void PutBytes(std::string& out, std::string_view bytes) {
  PutVarint(out, bytes.size());
  out.append(bytes);
}

// Fills in the length and the check of the frame that starts at `frame` and runs to the end.
void Seal(std::string& out, std::size_t frame) {
  const std::uint64_t length = out.size() - frame - kFrameHead;
  for (int i = 0; i < 8; ++i)
    out[frame + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  const std::uint32_t check = Crc32(Crc32(0, std::string_view(out).substr(frame, 8)),
                                    std::string_view(out).substr(frame + kFrameHead));
  for (int i = 0; i < 4; ++i)
    out[frame + 8 + i] = static_cast<char>((check >> (8 * i)) & 0xFF);
}

// Reads what the grammar puts in a body, front to back; once anything is missing or out of
// range, every later read fails too.
class BodyReader {
 public:
  explicit BodyReader(std::string_view body) : left_(body) {}

  bool Fixed(int bytes, std::uint64_t& value) {
    if (left_.size() < static_cast<std::size_t>(bytes)) return false;
    value = 0;
    for (int i = 0; i < bytes; ++i)
      value |= std::uint64_t{static_cast<unsigned char>(left_[i])} << (8 * i);
    left_.remove_prefix(static_cast<std::size_t>(bytes));
    return true;
  }
  bool Varint(std::uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64 && !left_.empty(); shift += 7) {
      const auto byte = static_cast<unsigned char>(left_.front());
      left_.remove_prefix(1);
      // The tenth byte holds the top bit alone; a last byte of 0 after others would make a
      // second spelling of the same number, which no writer makes.
      if ((shift == 63 && byte > 1) || (shift > 0 && byte == 0)) return false;
      value |= std::uint64_t{byte & 0x7Fu} << shift;
      if ((byte & 0x80) == 0) return true;
    }
    return false;
  }
  bool Bytes(std::string_view& bytes) {
    std::uint64_t size = 0;
    if (!Varint(size) || size > left_.size()) return false;
    bytes = left_.substr(0, static_cast<std::size_t>(size));
    left_.remove_prefix(static_cast<std::size_t>(size));
    return true;
  }
  bool Time(std::int64_t& timeMs) {
    std::uint64_t value = 0;
    if (!Fixed(8, value)) return false;
    timeMs = static_cast<std::int64_t>(value);
    return true;
  }
  bool AtEnd() const { return left_.empty(); }
  std::string_view Left() const { return left_; }

 private:
  std::string_view left_;
};

// A frame starting at `at`: whole, or how it is not.
struct Frame {
  enum class State { kWhole, kCut, kBad } state = State::kCut;
  std::string_view body;
  std::size_t end = 0;  // where the next would start, for kWhole and kBad
};

Frame FrameAt(std::string_view bytes, std::size_t at) {
  Frame frame;
  const std::size_t left = bytes.size() - at;
  if (left < kFrameHead) return frame;
  std::uint64_t length = 0;
  std::uint64_t check = 0;
  BodyReader head(bytes.substr(at, kFrameHead));
  head.Fixed(8, length);
  head.Fixed(4, check);
  if (length > left - kFrameHead) return frame;
  frame.end = at + kFrameHead + static_cast<std::size_t>(length);
  frame.body = bytes.substr(at + kFrameHead, static_cast<std::size_t>(length));
  const bool whole = length > 0 && Crc32(Crc32(0, bytes.substr(at, 8)), frame.body) == check;
  frame.state = whole ? Frame::State::kWhole : Frame::State::kBad;
  return frame;
}

bool ReadHeader(std::string_view body, std::int64_t& startedMs,
                std::vector<FileFingerprint>& files) {
  BodyReader reader(body);
  std::uint64_t kind = 0;
  if (!reader.Varint(kind) || kind != kHeaderKind || !reader.Time(startedMs)) return false;
  while (!reader.AtEnd()) {
    std::string_view name;
    std::uint64_t read = 0;
    if (!reader.Bytes(name) || !reader.Fixed(1, read) || read > 1) return false;
    FileFingerprint file = NothingRead(std::string(name));
    if (read == 1) {
      file.read = true;
      if (!reader.Varint(file.size) || reader.Left().size() < file.sha256.size()) return false;
      for (std::uint8_t& octet : file.sha256) {
        std::uint64_t value = 0;
        reader.Fixed(1, value);
        octet = static_cast<std::uint8_t>(value);
      }
    }
    files.push_back(std::move(file));
  }
  return true;
}

bool ReadChange(std::string_view body, JournalRecord& record) {
  BodyReader reader(body);
  std::uint64_t kind = 0;
  if (!reader.Varint(kind) || kind == kHeaderKind ||
      kind > std::numeric_limits<std::uint32_t>::max() || !reader.Time(record.timeMs)) {
    return false;
  }
  record.kind = static_cast<std::uint32_t>(kind);
  record.cells = reader.Left();
  for (std::string_view cell; !reader.AtEnd();) {
    if (!reader.Bytes(cell)) return false;
  }
  return true;
}

}  // namespace

std::string JournalStart(std::int64_t timeMs, const std::vector<FileFingerprint>& files) {
  std::string out(kMagic);
  out += kVersion;
  const std::size_t frame = out.size();
  out.append(kFrameHead, '\0');
  PutVarint(out, kHeaderKind);
  PutFixed(out, static_cast<std::uint64_t>(timeMs), 8);
  for (const FileFingerprint& file : files) {
    PutBytes(out, file.name);
    out += static_cast<char>(file.read ? 1 : 0);
    if (file.read) {
      PutVarint(out, file.size);
      out.append(reinterpret_cast<const char*>(file.sha256.data()), file.sha256.size());
    }
  }
  Seal(out, frame);
  return out;
}

JournalEntry::JournalEntry(std::uint32_t kind, std::int64_t timeMs) : bytes_(kFrameHead, '\0') {
  PutVarint(bytes_, kind);
  PutFixed(bytes_, static_cast<std::uint64_t>(timeMs), 8);
}

void JournalEntry::Add(std::string_view cell) {
  PutBytes(bytes_, cell);
}

std::string_view JournalEntry::Bytes() const {
  Seal(bytes_, 0);
  return bytes_;
}

bool JournalCells::Next(std::string_view& cell) {
  // The cells were checked when the record was read.
  BodyReader reader(left_);
  if (reader.AtEnd() || !reader.Bytes(cell)) return false;
  left_ = reader.Left();
  return true;
}

std::vector<std::string_view> CellsOf(const JournalRecord& record) {
  std::vector<std::string_view> cells;
  JournalCells walk(record);
  for (std::string_view cell; walk.Next(cell);)
    cells.push_back(cell);
  return cells;
}

JournalContents::JournalContents(std::string bytes)
    : bytes_(std::make_unique<const std::string>(std::move(bytes))) {
  const std::string_view all = *bytes_;
  if (all.size() <= kMagic.size() || !all.starts_with(kMagic)) {
    problem_ = QStringLiteral("it is not a Larkspin journal");
    return;
  }
  if (all[kMagic.size()] != kVersion) {
    problem_ = QStringLiteral("it was written by another version of Larkspin");
    return;
  }
  const Frame header = FrameAt(all, kMagic.size() + 1);
  if (header.state != Frame::State::kWhole || !ReadHeader(header.body, startedMs_, files_)) {
    problem_ = QStringLiteral("its first record, which names the files it continues, is damaged");
    files_.clear();
    return;
  }
  readable_ = true;
  headerEnd_ = header.end;
  wholeEnd_ = header.end;
  while (wholeEnd_ < all.size()) {
    const Frame frame = FrameAt(all, wholeEnd_);
    JournalRecord record;
    if (frame.state == Frame::State::kWhole && ReadChange(frame.body, record)) {
      records_.push_back(record);
      recordEnds_.push_back(frame.end);
      wholeEnd_ = frame.end;
      continue;
    }
    // A crash leaves the last record cut short, or its end as zeros or garbage; a record with a
    // good check that does not read, or a bad one with more behind it, is damage of another kind.
    const std::string_view rest = all.substr(wholeEnd_);
    const bool torn =
        frame.state == Frame::State::kCut ||
        (frame.state == Frame::State::kBad &&
         (frame.end == all.size() ||
          std::all_of(rest.begin(), rest.end(), [](char byte) { return byte == '\0'; })));
    tail_ = torn ? Tail::kTorn : Tail::kDamaged;
    break;
  }
}

bool JournalContents::Continues(const std::vector<FileFingerprint>& filesNow) const {
  return readable_ && SameFiles(files_, filesNow);
}

QDateTime JournalContents::LastChangeTime() const {
  if (records_.empty()) return {};
  return QDateTime::fromMSecsSinceEpoch(records_.back().timeMs);
}

std::size_t JournalContents::IgnoredBytes() const {
  return bytes_ ? bytes_->size() - wholeEnd_ : 0;
}

std::string_view JournalContents::WholePart() const {
  return bytes_ ? std::string_view(*bytes_).substr(0, wholeEnd_) : std::string_view();
}

std::string_view JournalContents::PartThrough(std::size_t records) const {
  if (records >= records_.size()) return WholePart();
  return WholePart().substr(0, records == 0 ? headerEnd_ : recordEnds_[records - 1]);
}

}  // namespace larkspin
