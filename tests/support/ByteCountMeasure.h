#pragma once

// Text widths without a font, for the tests and the benchmarks: cheap, and the same everywhere.

#include <string_view>

#include "ColumnWidths.h"
#include "RoundRecord.h"

namespace larkspin::testing {

// Every byte 7 units wide plus a margin of 10; headings likewise.
class ByteCountMeasure final : public TextMeasure {
 public:
  int TextWidth(std::string_view text) const override {
    return 10 + 7 * static_cast<int>(text.size());
  }
  int HeadingWidth(int column) const override {
    return 10 + 7 * static_cast<int>(RoundColumnHeading(column).size());
  }
};

}  // namespace larkspin::testing
