#include <gtest/gtest.h>

#include "data/RoundTable.h"

namespace larkspin {
namespace {

TEST(RoundTable, placeholder) {
  RoundTable table;
  EXPECT_EQ(table.RowCount(), 0);
}

}  // namespace
}  // namespace larkspin
