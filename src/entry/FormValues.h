#pragma once

#include <array>
#include <string>

#include "DropDown.h"
#include "RoundRecord.h"

namespace larkspin {

using HoleTexts = std::array<std::string, kHoles>;

// The values every command of the main window works on: the working round (74 texts), the pars
// of the selected course, the report period and the round count.
struct FormValues {
  RoundRecord working;
  HoleTexts pars;
  std::string period;
  int roundCount = 0;
};

// What the main window's fields show. The editable drop-downs keep their own selection, which
// decides what showing a text turns into.
struct FormView {
  FormView();

  DropDown course;
  std::string date;
  HoleTexts pars;
  HoleTexts scores;
  HoleTexts drives;
  std::array<DropDown, kHoles> clubs;
  HoleTexts putts;
  DropDown period;
  int roundCount = 0;
};

// Reading the form: every field's text into the values.
void ReadForm(const FormView& view, FormValues& values);
// Showing the form: every value into its field, the drop-downs resolving their texts.
void ShowForm(const FormValues& values, FormView& view);

// A club box: the 17 club codes in their fixed order.
DropDown MakeClubBox();

inline constexpr const char* kPeriodEntries[] = {"Month", "6 Months", "Year", "Eternity"};

}  // namespace larkspin
