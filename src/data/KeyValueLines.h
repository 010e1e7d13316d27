#pragma once

#include <string_view>

namespace larkspin {

// The lines of a data file's text (see FindDataFileText) as key and value, for both lks.dat and
// courses.dat:
// - a line ends at LF, and a last line without one counts like any other;
// - trailing white space (space, tab, CR, LF, vertical tab, form feed) is not part of the line;
// - the key is what stands before the first "=", the value everything after it, further "="
//   included; a line without "=" is all key with an empty value.
template <typename OnLine>
void ForEachKeyValueLine(std::string_view text, OnLine&& onLine) {
  // One pass over the bytes: lines are short ("S5=4"), too short for memchr to pay off.
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char* lineEnd = p;
    const char* equals = nullptr;
    while (lineEnd < end && *lineEnd != '\n') {
      if (*lineEnd == '=' && !equals) equals = lineEnd;
      ++lineEnd;
    }
    const char* const next = lineEnd < end ? lineEnd + 1 : end;

    while (lineEnd > p) {
      const char c = lineEnd[-1];
      if (c != ' ' && c != '\t' && c != '\r' && c != '\v' && c != '\f') break;
      --lineEnd;
    }
    if (!equals) {
      onLine(std::string_view(p, lineEnd - p), std::string_view());
    } else {
      onLine(std::string_view(p, equals - p), std::string_view(equals + 1, lineEnd - equals - 1));
    }
    p = next;
  }
}

}  // namespace larkspin
