#include "PackedRound.h"

#include <cstring>

namespace larkspin {

template <typename CellTexts>
void PackedRound::Pack(const CellTexts& cells) {
  std::size_t size = kHeaderSize;
  for (const auto& cell : cells)
    size += cell.size();
  if (size == kHeaderSize) return;  // all empty: keep the blob empty
  blob_.resize(size);
  char* header = blob_.data();
  char* out = header + kHeaderSize;
  std::uint32_t end = 0;
  for (int column = 0; column < kRoundColumns; ++column) {
    const auto& cell = cells[column];
    // Cells are a few bytes as a rule: a plain loop beats calling memcpy.
    for (const char c : cell)
      *out++ = c;
    end += static_cast<std::uint32_t>(cell.size());
    std::memcpy(header + column * sizeof(end), &end, sizeof(end));
  }
}

PackedRound::PackedRound(const RoundRecord& record) {
  Pack(record);
}

PackedRound::PackedRound(const RoundCells& cells) {
  Pack(cells);
}

std::string_view PackedRound::Cell(int column) const {
  if (blob_.empty() || column < 0 || column >= kRoundColumns) return {};
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
  if (column > 0) std::memcpy(&begin, blob_.data() + (column - 1) * sizeof(begin), sizeof(begin));
  std::memcpy(&end, blob_.data() + column * sizeof(end), sizeof(end));
  return std::string_view(blob_.data() + kHeaderSize + begin, end - begin);
}

RoundCells PackedRound::Cells() const {
  RoundCells cells{};
  if (blob_.empty()) return cells;
  const char* const text = blob_.data() + kHeaderSize;
  std::uint32_t begin = 0;
  for (int column = 0; column < kRoundColumns; ++column) {
    std::uint32_t end = 0;
    std::memcpy(&end, blob_.data() + column * sizeof(end), sizeof(end));
    cells[column] = std::string_view(text + begin, end - begin);
    begin = end;
  }
  return cells;
}

RoundRecord PackedRound::Unpack() const {
  RoundRecord record;
  for (int column = 0; column < kRoundColumns; ++column)
    record[column] = Cell(column);
  return record;
}

}  // namespace larkspin
