#pragma once

#include <cstdint>
#include <string>

namespace larkspin {

// numerator / denominator in tenths, halves rounded away from zero, worked out on whole numbers
// so that 88.85 is never taken for 88.8499...; denominator > 0.
std::int64_t RoundedTenths(std::int64_t numerator, std::int64_t denominator);

// Tenths written with one decimal: 889 as "88.9", -5 as "-0.5".
std::string TenthsText(std::int64_t tenths);
// The same with a sign in front of any but 0, and "E" (even) for 0: "+16.9", "-0.5", "E".
std::string SignedTenthsText(std::int64_t tenths);
// part / whole as a percentage with one decimal and "%": "30.3%"; whole > 0.
std::string PercentText(std::int64_t part, std::int64_t whole);

// Nothing to count.
inline constexpr const char* kNothing = "\u2013";

}  // namespace larkspin
