#pragma once

#include <cstddef>
#include <cstdint>
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
  RoundRecord Unpack() const;
  // The bytes the round takes, for telling what a table holds.
  std::size_t Size() const;

 private:
  template <typename CellTexts>
  void Pack(const CellTexts& cells);

  std::unique_ptr<char[]> block_;  // none: every cell is empty
};

}  // namespace larkspin
