#pragma once

#include <string>

#include "DropDown.h"

class QComboBox;
class QLineEdit;

namespace larkspin {

// Copies between the program's form state and the widgets that show it. Widgets are only
// touched where they differ, so showing the form costs little when little changed.

std::string FieldText(const QLineEdit* field);
void SetFieldText(QLineEdit* field, const std::string& text);

// The box's list, selected entry and text as the drop-down has them.
void ShowDropDown(const DropDown& dropDown, QComboBox* box);
// What the user did in the box: typed text, and a picked entry.
void ReadDropDown(const QComboBox* box, DropDown& dropDown);

}  // namespace larkspin
