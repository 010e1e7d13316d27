#include "WizardButtons.h"

namespace larkspin {

namespace {

// Buttons whose caption is a number and whose value is the caption with `suffix`.
std::vector<WizardButton> NumberRow(WizardField field, int first, int last, int step,
                                    const std::string& namePrefix, const std::string& suffix = {}) {
  std::vector<WizardButton> row;
  for (int number = first; number <= last; number += step) {
    const std::string caption = std::to_string(number);
    row.push_back({field, caption, caption + suffix, namePrefix + " " + caption});
  }
  return row;
}

std::vector<WizardGroup> MakeGroups() {
  using enum WizardField;
  auto woods = NumberRow(kClub, 1, 5, 1, "Wood", "W");
  woods.push_back({kClub, "D", "D", "Driver"});
  return {
      {kScore, "Score:", "Score", {NumberRow(kScore, 1, 10, 1, "Score")}},
      {kDrive,
       "Drive:",
       "Drive",
       {NumberRow(kDrive, 100, 190, 10, "Drive"), NumberRow(kDrive, 200, 290, 10, "Drive")}},
      {kClub, "Club:", "Club", {woods, NumberRow(kClub, 1, 9, 1, "Iron", "I")}},
      {kPutts, "Puts:", "Putts", {NumberRow(kPutts, 1, 10, 1, "Putts")}},
  };
}

}  // namespace

const std::vector<WizardGroup>& WizardGroups() {
  static const std::vector<WizardGroup> groups = MakeGroups();
  return groups;
}

}  // namespace larkspin
