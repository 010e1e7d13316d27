#pragma once

#include <QDate>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace larkspin {

class RoundTable;

// Which rounds the trends are worked out over: one course or all, and a span of time.
enum class RoundsChoice { kAll, kLast20, kLast12Months, kThisYear };

struct TrendsChoice {
  std::optional<std::string> course;  // none: every course
  RoundsChoice rounds = RoundsChoice::kAll;
};

// The entries of the two choosers, in their order; the rounds chooser's follow RoundsChoice.
inline constexpr std::string_view kAllCourses = "All courses";
inline constexpr std::array<std::string_view, 4> kRoundsChoiceEntries = {
    "All rounds", "Last 20 rounds", "Last 12 months", "This year"};

// The rows of the chosen rounds, top of the table first. A course choice takes the rounds whose
// course is exactly that name. "Last 20 rounds" takes the 20 latest dated rounds (of two on the
// same day, the one higher in the table); "Last 12 months" those dated from today's month and
// day a year ago (the 28th for 29 February) to today; "This year" those from 1 January to today.
// Rounds with no readable date, or dated after today, are chosen only under "All rounds".
std::vector<int> ChosenRows(const RoundTable& rounds, const TrendsChoice& choice, QDate today);

}  // namespace larkspin
