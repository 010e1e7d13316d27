#include "NextRoundText.h"

#include <cstdlib>

#include "Tenths.h"

namespace larkspin {

namespace {

std::string DateText(int yyyymmdd) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", yyyymmdd / 10000, yyyymmdd / 100 % 100,
                yyyymmdd % 100);
  return text;
}

std::string ScoreText(std::optional<int> score) {
  return score ? std::to_string(*score) + " or better" : std::string("\u2014");
}

}  // namespace

std::string IndexChangeText(const std::optional<IndexChange>& change) {
  if (!change) return {};
  if (change->changeTenths == 0) return "unchanged";
  std::string text = change->changeTenths < 0 ? "\u25BC " : "\u25B2 ";
  return text.append(TenthsText(std::abs(change->changeTenths)))
      .append(" since ")
      .append(DateText(change->sinceDate));
}

std::string LeavingText(const std::optional<LeavingDifferential>& leaving) {
  if (!leaving) return {};
  return "Next to leave the 20: " + TenthsText(leaving->differentialTenths) + " of " +
         DateText(leaving->date);
}

std::string LowerText(std::optional<int> score) {
  return "To lower your Index: " + ScoreText(score);
}

std::string KeepText(std::optional<int> score) {
  return "To keep it: " + ScoreText(score);
}

}  // namespace larkspin
