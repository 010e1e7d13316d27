#include "SkippedContent.h"

#include <algorithm>

namespace larkspin {

void SkippedContent::UnknownLine(std::string_view key, std::string_view value) {
  if (key.empty() && value.empty()) return;
  // A header holds a short text; one with control characters in it (a file whose line ends are
  // CR alone reads as one long line) is more than a header.
  if (key == "CREATOR" && std::none_of(value.begin(), value.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20;
      })) {
    return;
  }
  // Enough to recognise it by: a key may be a whole line of megabytes.
  if (unknownLines++ == 0) firstUnknownKey = key.substr(0, 64);
}

}  // namespace larkspin
