#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace larkspin {

// A format of play and the share of the course handicap it gives, as the rules recommend.
struct AllowanceFormat {
  std::string_view name;
  int percent = 0;  // 0: the golfer's own (the last format)
};

inline constexpr std::array<AllowanceFormat, 7> kAllowanceFormats = {{
    {"Individual stroke play", 95},
    {"Individual match play", 100},
    {"Four-ball stroke play", 85},
    {"Four-ball match play", 90},
    {"Stableford", 95},
    {"Par/bogey", 95},
    {"Custom", 0},
}};
inline constexpr std::size_t kCustomFormat = kAllowanceFormats.size() - 1;
inline constexpr int kLowestAllowance = 1;
inline constexpr int kHighestAllowance = 100;

// The format chosen, with the percentage typed for "Custom".
struct Allowance {
  std::size_t format = 0;  // in kAllowanceFormats
  int customPercent = kHighestAllowance;

  // The format's percentage; a custom one kept within 1 to 100.
  int Percent() const;
  // "Individual stroke play 95 %", "Custom 80 %".
  std::string Text() const;
};

// How the chooser shows a format: "Stableford 95 %", "Custom".
std::string FormatChoiceText(const AllowanceFormat& format);

// The format a name gives, as the command line takes it: the chooser's text or the name alone,
// without regard to case ("stableford", "Four-ball match play 90 %"). Nothing for "Custom", which
// takes a percentage of its own.
std::optional<std::size_t> FindAllowanceFormat(std::string_view name);

// Course Handicap before rounding × the allowance, rounded once at the end to a whole number with
// halves up (−2.5 is −2): Index 12.9 on Slope 129, Rating 70.1, par 72 is 12.83 strokes, at 95 %
// 12.19, so 12.
int PlayingHandicap(int indexTenths, int slope, int ratingTenths, int parTotal, int percent);

}  // namespace larkspin
