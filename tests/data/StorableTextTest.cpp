// The one rule by which a typed cell becomes what lks.dat and courses.dat can give back.

#include <gtest/gtest.h>

#include "StorableText.h"

namespace larkspin {
namespace {

TEST(StorableText, ControlCharactersBecomeSpacesAndTrailingSpacesGo) {
  const struct {
    std::string_view typed;
    std::string_view stored;
  } cases[] = {
      {"Pine Hills", "Pine Hills"},
      {" ", ""},
      {"\t\r\n\v\f\x1A", ""},
      {"Pine\nHills", "Pine Hills"},
      {"Pine\x7FHills\x01", "Pine Hills"},
      {"  Pine  ", "  Pine"},  // leading spaces are read back
      {"A=B", "A=B"},
      {"Caf\xC3\xA9\xC2\xA0", "Caf\xC3\xA9\xC2\xA0"},  // a no-break space is not white space there
      {"Caf\xE9", "Caf\xC3\xA9"},                      // not UTF-8: read as Windows-1252
  };
  for (const auto& [typed, stored] : cases) {
    EXPECT_EQ(StorableText(typed), stored) << typed;
    EXPECT_EQ(IsStorable(typed), typed == stored) << typed;
  }
}

}  // namespace
}  // namespace larkspin
