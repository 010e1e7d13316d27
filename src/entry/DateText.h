#pragma once

#include <QDate>
#include <string>

namespace larkspin {

// The first and last day a date text can stand for: its year must have four digits.
inline constexpr int kFirstDateYear = 1000;
inline constexpr int kLastDateYear = 9999;

// "2003-09-16" for 16 September 2003; empty for an invalid day or one outside those years.
std::string FormatDateText(QDate day);

}  // namespace larkspin
