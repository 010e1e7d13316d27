// A round of the table keeps every cell exactly, however long its texts: a few bytes, the usual
// hundred, or more than a narrow offset can count.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "PackedRound.h"

namespace larkspin {
namespace {

TEST(PackedRound, KeepsEveryCellOfRoundsOfAnyLength) {
  const struct {
    const char* name;
    int column;  // the cell that takes `length` bytes; the others hold "4" but one, empty
    std::size_t length;
  } cases[] = {
      {"short", kDateColumn, 10},
      {"to one-byte offsets' end", ClubColumn(18), 255 - 72},
      {"past one-byte offsets", kCourseColumn, 256 - 72},
      {"to two-byte offsets' end", DriveColumn(1), 65535 - 72},
      {"past two-byte offsets", PuttsColumn(18), 65536},
  };
  for (const auto& [name, column, length] : cases) {
    RoundRecord record;
    record.fill("4");
    record[column] = std::string(length, 'x');
    record[column].back() = 'y';
    record[ScoreColumn(9)].clear();  // an empty cell among them
    const PackedRound round(record);
    const PackedRound copy = round;
    PackedRound assigned;
    assigned = copy;
    for (const PackedRound* packed :
         std::initializer_list<const PackedRound*>{&round, &copy, &assigned}) {
      EXPECT_EQ(packed->Unpack(), record) << name;
      const RoundCells cells = packed->Cells();
      for (int c = 0; c < kRoundColumns; ++c) {
        EXPECT_EQ(packed->Cell(c), record[c]) << name << " column " << c;
        EXPECT_EQ(cells[c], record[c]) << name << " column " << c;
      }
      EXPECT_EQ(packed->Cell(kRoundColumns), "") << name;
    }
  }
  const PackedRound empty{RoundRecord{}};
  EXPECT_EQ(empty.Unpack(), RoundRecord{});
  EXPECT_EQ(PackedRound(empty).Cell(0), "");
}

}  // namespace
}  // namespace larkspin
