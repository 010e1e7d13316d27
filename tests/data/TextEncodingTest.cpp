// Data files come as UTF-8 (this program) or Windows-1252 (the Windows programs before it), and
// now and then as a UTF-8 file with one stray byte in it: each value is judged on its own.

#include <gtest/gtest.h>

#include "courses/CourseFile.h"
#include "data/RoundTestSupport.h"
#include "data/TextEncoding.h"

namespace larkspin::testing {
namespace {

TEST(Utf8, WellFormedSequences_areRecognised) {
  for (const char* text : {"", "Pine Hills", "Z\xC3\xBCrich",  // ü, two bytes
                           "\xE2\x82\xAC",                     // €, three bytes
                           "\xEF\xBF\xBF",                     // U+FFFF
                           "\xF0\x9F\x8F\x8C",                 // a golfer, four bytes
                           "\xF4\x8F\xBF\xBF",                 // U+10FFFF, the last code point
                           "\x7F",                             // DEL is ASCII
                           "ends with \xC3\xA9"}) {
    EXPECT_TRUE(IsValidUtf8(text)) << text;
  }
}

TEST(Utf8, MalformedSequences_areRejected) {
  const std::pair<const char*, const char*> cases[] = {
      {"\xC0\x80", "overlong NUL"},
      {"\xC1\xBF", "overlong two-byte"},
      {"\xE0\x80\x80", "overlong three-byte"},
      {"\xE0\x9F\xBF", "overlong three-byte at the edge"},
      {"\xF0\x8F\xBF\xBF", "overlong four-byte"},
      {"\xED\xA0\x80", "first surrogate"},
      {"\xED\xBF\xBF", "last surrogate"},
      {"\xF4\x90\x80\x80", "just above U+10FFFF"},
      {"\xF5\x80\x80\x80", "lead byte above U+10FFFF"},
      {"Z\xC3", "two-byte sequence cut short at the end"},
      {"\xE2\x82", "three-byte sequence cut short at the end"},
      {"\xF0\x9F\x8F", "four-byte sequence cut short at the end"},
      {"\xE2\x82"
       "A",
       "three-byte sequence cut short by ASCII"},
      {"\x80", "lone continuation byte 0x80 (Windows-1252 euro)"},
      {"\x9F", "lone continuation byte 0x9F"},
      {"\xA0", "lone continuation byte 0xA0"},
      {"\xFE", "byte 0xFE"},
      {"\xFF", "byte 0xFF"},
      {"12345678\xE9", "stray byte after eight ASCII bytes"},
  };
  for (const auto& [bytes, what] : cases)
    EXPECT_FALSE(IsValidUtf8(bytes)) << what;
}

TEST(Windows1252, HighBytes_becomeTheirCharactersAndUndefinedOnesC1Controls) {
  EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // €
  EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\xC5\xB8");      // Ÿ
  EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(Windows1252ToUtf8("\xA0"), "\xC2\xA0");  // no-break space
  EXPECT_EQ(Windows1252ToUtf8("Caf\xE9 \xFF\x7F"), "Caf\xC3\xA9 \xC3\xBF\x7F");
}

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
  ScorecardHarness harness;
  const RoundTable& rounds =
      LoadRoundFile(harness,
                    "COURSE=Only \x80\r\nS1=\x7F\r\nS2=\x9F\r\nS3=\xA0\r\n"  // legacy bytes
                    "\r\nCOURSE=Ends in \xC3\xA9")  // last bytes of the file
          .Rounds();
  ASSERT_EQ(rounds.RowCount(), 2);
  EXPECT_EQ(rounds.Cell(0, kCourseColumn), "Ends in \xC3\xA9");
  EXPECT_EQ(rounds.Cell(1, kCourseColumn), "Only \xE2\x82\xAC");
  EXPECT_EQ(rounds.Cell(1, ScoreColumn(1)), "\x7F");
  EXPECT_EQ(rounds.Cell(1, ScoreColumn(2)), "\xC5\xB8");
  EXPECT_EQ(rounds.Cell(1, ScoreColumn(3)), "\xC2\xA0");
}

TEST(FileText, ControlZ_endsTextAndOnlyPaddingCountsAsNothingLeftOut) {
  EXPECT_EQ(FindDataFileText("A=1\r\n\x1A\x1A\x1A").text, "A=1\r\n");
  EXPECT_EQ(FindDataFileText("A=1\r\n\x1A\x1A\x1A").unreadBytes, 0u);
  const DataFileText cut = FindDataFileText(
      "A=1\x1A"
      "B=2\x1A");
  EXPECT_EQ(cut.text, "A=1");
  EXPECT_EQ(cut.controlZ, 3u);
  EXPECT_EQ(cut.unreadBytes, 4u);
  EXPECT_EQ(FindDataFileText("\xEF\xBB\xBF"
                             "A=1")
                .text,
            "A=1");
  EXPECT_EQ(FindDataFileText("A=\xEF\xBB\xBF").text, "A=\xEF\xBB\xBF");  // only at the start
}

}  // namespace
}  // namespace larkspin::testing
