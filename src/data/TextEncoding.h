#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace larkspin {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. Qt Core's check.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined become the C1 controls of
// the same number, as Windows itself maps them.
std::string Windows1252ToUtf8(std::string_view bytes);

// A value read from a data file, as UTF-8. Older files come from Windows systems that wrote
// Windows-1252; newer ones are UTF-8. Each value is judged on its own, so one stray byte garbles
// nothing but the value it stands in: kept as it is when it is UTF-8, otherwise converted into
// `converted`, which the result then points into.
std::string_view DecodeFileValue(std::string_view value, std::string& converted);

// Where the text of a data file lies in its bytes. A control-Z byte ends the text, as it did for
// the Windows programs that wrote these files and padded them with it; a UTF-8 byte-order mark
// at the start is not text.
struct DataFileText {
  static constexpr std::size_t kNone = std::string_view::npos;

  std::string_view text;
  std::size_t controlZ = kNone;  // offset of the control-Z that ends the text
  std::size_t unreadBytes = 0;   // the bytes after it, when they are more than control-Z padding
};
DataFileText FindDataFileText(std::string_view bytes);

}  // namespace larkspin
