// Data files come as UTF-8 (this program) or Windows-1252 (the Windows programs before it), and
// now and then as a UTF-8 file with one stray byte in it: each value of lks.dat and courses.dat is
// judged on its own.

#include <gtest/gtest.h>

#include "CourseFile.h"
#include "RoundFile.h"
#include "TextEncoding.h"
#include "support/Rounds.h"

namespace larkspin::testing {
namespace {

std::vector<std::string> CourseNames(const std::vector<PackedRound>& rounds) {
  std::vector<std::string> names;
  for (const auto& round : rounds)
    names.emplace_back(round.Cell(kCourseColumn));
  return names;
}

TEST(FileEncoding, Utf8FileWithOneStrayByte_keepsEveryOtherNameIntact) {
  std::string file = "CREATOR=LARKSP 1.0";
  for (int i = 0; i < 95; ++i)
    file += "\r\nCOURSE=Z\xC3\xBCrich Golf Club\r\nC1=7I\r\n";
  file += "\r\nCOURSE=Caf\xE9 Links\r\nS1=4\r\n";
  const std::vector<PackedRound> rounds = ParseRoundFile(file);

  ASSERT_EQ(rounds.size(), 96u);
  std::vector<std::string> expected(95, "Z\xC3\xBCrich Golf Club");
  expected.push_back("Caf\xC3\xA9 Links");
  EXPECT_EQ(CourseNames(rounds), expected);

  const CourseFileContents courses = ParseCourseFile(file);
  ASSERT_EQ(courses.courses.size(), 96u);
  EXPECT_EQ(courses.courses.front()[kCourseNameCell], "Z\xC3\xBCrich Golf Club");
  EXPECT_EQ(courses.courses.back()[kCourseNameCell], "Caf\xC3\xA9 Links");
}

TEST(FileEncoding, WholeLegacyFile_readsAsIfDecodedWhole) {
  // Every high byte in a value of its own, and values with several of them, as Windows wrote.
  std::string file = TestDataBytes("windows1252.dat");
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    file += "\r\nCOURSE=Club " + std::string(1, static_cast<char>(byte)) +
            "\r\nDATE=" + std::string(1, static_cast<char>(byte)) + "\r\nC1=\xC4\xD6\xDC\r\n";
  }
  const std::vector<PackedRound> perValue = ParseRoundFile(file);
  const std::vector<PackedRound> whole = ParseRoundFile(Windows1252ToUtf8(file));
  ASSERT_EQ(perValue.size(), whole.size());
  for (std::size_t i = 0; i < whole.size(); ++i)
    EXPECT_EQ(perValue[i].Unpack(), whole[i].Unpack()) << "round " << i;
}

TEST(FileEncoding, EdgeBytes_areReadAsTheirEncodingSays) {
  const std::vector<PackedRound> rounds = ParseRoundFile(
      "COURSE=Only \x80\r\nS1=\x7F\r\nS2=\x9F\r\nS3=\xA0\r\n"  // legacy bytes
      "\r\nCOURSE=Ends in \xC3\xA9");                          // last bytes of the file
  ASSERT_EQ(rounds.size(), 2u);
  EXPECT_EQ(rounds[1].Cell(kCourseColumn), "Ends in \xC3\xA9");
  EXPECT_EQ(rounds[0].Cell(kCourseColumn), "Only \xE2\x82\xAC");
  EXPECT_EQ(rounds[0].Cell(ScoreColumn(1)), "\x7F");
  EXPECT_EQ(rounds[0].Cell(ScoreColumn(2)), "\xC5\xB8");
  EXPECT_EQ(rounds[0].Cell(ScoreColumn(3)), "\xC2\xA0");
}

}  // namespace
}  // namespace larkspin::testing
