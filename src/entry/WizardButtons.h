#pragma once

#include <string>
#include <vector>

namespace larkspin {

// The wizard's four editable fields, one per group of buttons.
enum class WizardField { kScore, kDrive, kClub, kPutts };

// A value button: pressing it writes `value` into its group's field.
struct WizardButton {
  WizardField field;
  std::string caption;
  std::string value;
  // Captions repeat from row to row and group to group ("1" is a score, a wood, an iron and a
  // putt count), so screen readers get a name of its own for each button.
  std::string name;
};

// A framed group of the wizard: rows of buttons on the left, the field on the right.
struct WizardGroup {
  WizardField field;
  std::string caption;
  std::string fieldName;
  std::vector<std::vector<WizardButton>> rows;
};

// The groups from top to bottom, their rows from top to bottom, buttons from left to right.
const std::vector<WizardGroup>& WizardGroups();

}  // namespace larkspin
