#pragma once

#include <array>
#include <string_view>

namespace larkspin {

// The clubs in the order every club box lists them and the reports count them.
inline constexpr std::array<std::string_view, 17> kClubCodes = {"1I", "2I", "3I", "4I", "5I", "6I",
                                                                "7I", "8I", "9I", "1W", "2W", "3W",
                                                                "4W", "5W", "D",  "PW", "SW"};

}  // namespace larkspin
