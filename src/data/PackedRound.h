#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "RoundRecord.h"

namespace larkspin {

// A round stored as one allocation: a byte telling the width of the offsets, the end offset of
// each of the 74 cells, then their bytes. A round's texts are about a hundred bytes, so one byte
// per offset holds nearly every round; longer rounds take two or four. A table of 100,000 rounds
// would need 7.4 million separate strings otherwise, and with four-byte offsets twice the memory.
class PackedRound {
 public:
  static constexpr std::size_t kWidthBytes = 1;  // the block's first byte: the offsets' width

  PackedRound() = default;
  explicit PackedRound(const RoundRecord& record);
  explicit PackedRound(const RoundCells& cells);
  PackedRound(const PackedRound& other);
  PackedRound& operator=(const PackedRound& other);
  PackedRound(PackedRound&&) noexcept = default;
  // Moving in swaps the blocks, the one held before going with `other`: shifting a table's rows
  // then neither checks for nor frees a block at each step.
  PackedRound& operator=(PackedRound&& other) noexcept {
    block_.swap(other.block_);
    return *this;
  }

  std::string_view Cell(int column) const;
  // Every cell at once, quicker than one by one.
  RoundCells Cells() const;
  // Calls visit(column, text) for every cell in turn: Cells() without filling an array, for
  // going over many rows.
  template <typename Visit>
  void ForEachCell(Visit&& visit) const;
  RoundRecord Unpack() const;
  // The bytes the round takes, for telling what a table holds.
  std::size_t Size() const;

 private:
  template <typename CellTexts>
  void Pack(const CellTexts& cells);

  template <typename Offset, typename Visit>
  void ForEachCellIn(Visit& visit) const;

  std::unique_ptr<char[]> block_;  // none: every cell is empty
};

template <typename Offset, typename Visit>
void PackedRound::ForEachCellIn(Visit& visit) const {
  const char* const offsets = block_.get() + kWidthBytes;
  const char* const text = offsets + kRoundColumns * sizeof(Offset);
  std::size_t begin = 0;
  for (int column = 0; column < kRoundColumns; ++column) {
    Offset end;
    std::memcpy(&end, offsets + column * sizeof(Offset), sizeof(Offset));
    visit(column, std::string_view(text + begin, end - begin));
    begin = end;
  }
}

template <typename Visit>
void PackedRound::ForEachCell(Visit&& visit) const {
  if (!block_) {
    for (int column = 0; column < kRoundColumns; ++column)
      visit(column, std::string_view());
    return;
  }
  switch (block_[0]) {
    case 1:
      ForEachCellIn<std::uint8_t>(visit);
      break;
    case 2:
      ForEachCellIn<std::uint16_t>(visit);
      break;
    default:
      ForEachCellIn<std::uint32_t>(visit);
      break;
  }
}

}  // namespace larkspin
