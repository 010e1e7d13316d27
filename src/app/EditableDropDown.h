#pragma once

#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace larkspin {

// An editable drop-down that keeps typed text exactly as typed: no completion, no insertion of
// typed text into the list, and no silent pick of an entry when typing ends. It and its line edit
// both carry `name`: on Linux, Qt reports an editable box's current text as the box's name unless
// its line edit has one of its own.
QComboBox* MakeEditableDropDown(QWidget* parent, const QString& name);

// Lets a field that shows a cell hold a text of any length. A line edit keeps 32,767 characters
// otherwise, and a longer cell would be cut when shown in the grid and written back by Update.
void HoldAnyLength(QLineEdit* field);

}  // namespace larkspin
