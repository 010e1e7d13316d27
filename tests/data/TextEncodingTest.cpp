// Data files come as UTF-8 (this program) or Windows-1252 (the Windows programs before it), and
// now and then as a UTF-8 file with one stray byte in it: each value is judged on its own.

#include <gtest/gtest.h>

#include "TextEncoding.h"

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
