#pragma once

#include <string>
#include <string_view>

namespace larkspin {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined become the C1 controls of
// the same number, as Windows itself maps them.
std::string Windows1252ToUtf8(std::string_view bytes);

// The text of a data file as UTF-8: unchanged when it already is UTF-8, otherwise taken as
// Windows-1252, the code page older Windows systems wrote these files in.
std::string DataFileTextToUtf8(std::string bytes);

}  // namespace larkspin
