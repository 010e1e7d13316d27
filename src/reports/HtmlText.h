#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace larkspin {

// Appends a text from the user's data so that a browser shows it as text: & < > " and ' become
// character references; every other byte is copied as it is.
void AppendEscaped(std::string& html, std::string_view text);

// A whole number in decimal, with a minus sign when negative.
void AppendWholeNumber(std::string& html, std::int64_t number);

// A real number with two decimals, always with a point: the program's locale plays no part.
void AppendRealNumber(std::string& html, double number);

}  // namespace larkspin
