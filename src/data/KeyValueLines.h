#pragma once

#include <cstring>
#include <string_view>

namespace larkspin {

// The lines of a data file's text (see DecodeDataFile) as key and value, for both lks.dat and
// courses.dat:
// - a line ends at LF, and a last line without one counts like any other;
// - trailing white space (space, tab, CR, LF, vertical tab, form feed) is not part of the line;
// - the key is what stands before the first "=", the value everything after it, further "="
//   included; a line without "=" is all key with an empty value.
template <typename OnLine>
void ForEachKeyValueLine(std::string_view text, OnLine&& onLine) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const auto* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
    const char* lineEnd = newline ? newline : end;
    const char* next = newline ? newline + 1 : end;

    while (lineEnd > p) {
      const char c = lineEnd[-1];
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f') break;
      --lineEnd;
    }
    const std::string_view line(p, lineEnd - p);
    if (const auto equals = line.find('='); equals == std::string_view::npos) {
      onLine(line, std::string_view());
    } else {
      onLine(line.substr(0, equals), line.substr(equals + 1));
    }
    p = next;
  }
}

}  // namespace larkspin
