#pragma once

#include <string>
#include <string_view>

namespace larkspin {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined become the C1 controls of
// the same number, as Windows itself maps them.
std::string Windows1252ToUtf8(std::string_view bytes);

// The text of a data file as UTF-8. A control-Z byte ends the text, as it did for the Windows
// programs that wrote these files, so what follows it decides nothing; a UTF-8 byte-order mark
// at the start is dropped. The rest is kept as it is
// when it is UTF-8, and otherwise taken as Windows-1252, the code page those systems used.
std::string DecodeDataFile(std::string bytes);

}  // namespace larkspin
