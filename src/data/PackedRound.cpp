#include "PackedRound.h"

#include <cstring>

namespace larkspin {

namespace {

// The block: the offset width (1, 2 or 4), then kRoundColumns end offsets of that width, then the
// texts.
constexpr std::size_t kWidthBytes = PackedRound::kWidthBytes;

template <typename Offset>
Offset EndOf(const char* offsets, int column) {
  Offset end;
  std::memcpy(&end, offsets + column * sizeof(Offset), sizeof(Offset));
  return end;
}

template <typename Offset>
std::string_view CellIn(const char* block, int column) {
  const char* const offsets = block + kWidthBytes;
  const char* const text = offsets + kRoundColumns * sizeof(Offset);
  const std::size_t begin = column > 0 ? EndOf<Offset>(offsets, column - 1) : 0;
  return std::string_view(text + begin, EndOf<Offset>(offsets, column) - begin);
}

template <typename Offset, typename CellTexts>
void Fill(char* block, const CellTexts& cells) {
  block[0] = static_cast<char>(sizeof(Offset));
  char* const offsets = block + kWidthBytes;
  char* out = offsets + kRoundColumns * sizeof(Offset);
  Offset end = 0;
  for (int column = 0; column < kRoundColumns; ++column) {
    const auto& cell = cells[column];
    // Cells are a few bytes as a rule: a plain loop beats calling memcpy.
    for (const char c : cell)
      *out++ = c;
    end = static_cast<Offset>(end + cell.size());
    std::memcpy(offsets + column * sizeof(Offset), &end, sizeof(Offset));
  }
}

std::size_t BlockSize(std::size_t offsetWidth, std::size_t textSize) {
  return kWidthBytes + kRoundColumns * offsetWidth + textSize;
}

}  // namespace

template <typename CellTexts>
void PackedRound::Pack(const CellTexts& cells) {
  std::size_t textSize = 0;
  for (const auto& cell : cells)
    textSize += cell.size();
  if (textSize == 0) return;  // all empty: no block
  const std::size_t width = textSize <= 0xFF ? 1 : textSize <= 0xFFFF ? 2 : 4;
  block_ = std::make_unique_for_overwrite<char[]>(BlockSize(width, textSize));
  switch (width) {
    case 1:
      Fill<std::uint8_t>(block_.get(), cells);
      break;
    case 2:
      Fill<std::uint16_t>(block_.get(), cells);
      break;
    default:
      Fill<std::uint32_t>(block_.get(), cells);
      break;
  }
}

PackedRound::PackedRound(const RoundRecord& record) {
  Pack(record);
}

PackedRound::PackedRound(const RoundCells& cells) {
  Pack(cells);
}

PackedRound::PackedRound(const PackedRound& other) {
  if (!other.block_) return;
  const std::size_t size = other.Size();
  block_ = std::make_unique_for_overwrite<char[]>(size);
  std::memcpy(block_.get(), other.block_.get(), size);
}

PackedRound& PackedRound::operator=(const PackedRound& other) {
  if (this != &other) *this = PackedRound(other);
  return *this;
}

std::size_t PackedRound::Size() const {
  if (!block_) return 0;
  const char* const offsets = block_.get() + kWidthBytes;
  switch (block_[0]) {
    case 1:
      return BlockSize(1, EndOf<std::uint8_t>(offsets, kRoundColumns - 1));
    case 2:
      return BlockSize(2, EndOf<std::uint16_t>(offsets, kRoundColumns - 1));
    default:
      return BlockSize(4, EndOf<std::uint32_t>(offsets, kRoundColumns - 1));
  }
}

std::string_view PackedRound::Cell(int column) const {
  if (!block_ || column < 0 || column >= kRoundColumns) return {};
  switch (block_[0]) {
    case 1:
      return CellIn<std::uint8_t>(block_.get(), column);
    case 2:
      return CellIn<std::uint16_t>(block_.get(), column);
    default:
      return CellIn<std::uint32_t>(block_.get(), column);
  }
}

RoundCells PackedRound::Cells() const {
  RoundCells cells{};
  ForEachCell([&cells](int column, std::string_view text) { cells[column] = text; });
  return cells;
}

RoundRecord PackedRound::Unpack() const {
  RoundRecord record;
  const RoundCells cells = Cells();
  for (int column = 0; column < kRoundColumns; ++column)
    record[column] = cells[column];
  return record;
}

}  // namespace larkspin
