#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace larkspin {

// What a reader of lks.dat or courses.dat passed over: while there is any, the file counts as
// not read in full. The "CREATOR" header, empty lines and a value given again unchanged lose
// nothing and are not counted.
struct SkippedContent {
  std::size_t records = 0;        // records whose "COURSE=" is empty but which hold values
  std::size_t unknownLines = 0;   // lines whose key the file does not have ("course=", "NOTE=")
  std::size_t repeatedLines = 0;  // lines giving a cell of their record another value again
  std::string firstUnknownKey;

  bool Any() const { return records + unknownLines + repeatedLines > 0; }

  // A line whose key the reader does not know: counted unless it is a blank line or the header.
  void UnknownLine(std::string_view key, std::string_view value);
};

}  // namespace larkspin
