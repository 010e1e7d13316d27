#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "RoundRecord.h"

namespace larkspin {

// A round stored as one allocation: the end offset of each of the 74 cells, then their bytes.
// A table of 100,000 rounds would need 7.4 million separate strings otherwise.
class PackedRound {
 public:
  PackedRound() = default;
  explicit PackedRound(const RoundRecord& record);
  explicit PackedRound(const RoundCells& cells);

  std::string_view Cell(int column) const;
  // Every cell at once, quicker than one by one.
  RoundCells Cells() const;
  RoundRecord Unpack() const;

 private:
  static constexpr std::size_t kHeaderSize = kRoundColumns * sizeof(std::uint32_t);
  template <typename CellTexts>
  void Pack(const CellTexts& cells);

  std::string blob_;  // empty: every cell is empty
};

}  // namespace larkspin
