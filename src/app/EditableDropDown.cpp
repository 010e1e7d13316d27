#include "EditableDropDown.h"

#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <limits>

namespace larkspin {

namespace {

// Qt gives the line edit of an editable box a completer of its own, with a filtering model,
// unless the line edit has one already. The boxes here complete nothing, so each line edit holds
// this one while it joins its box and drops it at once: one completer made for all the boxes
// instead of one thrown away by each. Inline completion builds no list to be torn down.
QCompleter* CompleterToDrop() {
  static QPointer<QCompleter> completer;
  if (!completer) {
    completer = new QCompleter(QCoreApplication::instance());
    completer->setCompletionMode(QCompleter::InlineCompletion);
  }
  return completer;
}

}  // namespace

QComboBox* MakeEditableDropDown(QWidget* parent, const QString& name) {
  auto* box = new QComboBox(parent);
  // What QComboBox::setEditable does, less the drop-down list it builds first for the box as not
  // yet editable: the list is built, for the box as it is, when it is first asked for.
  auto* edit = new QLineEdit(box);
  edit->setPalette(box->palette());
  edit->setCompleter(CompleterToDrop());
  box->setLineEdit(edit);
  box->setCompleter(nullptr);
  HoldAnyLength(edit);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setDuplicatesEnabled(true);
  // Qt picks the matching entry when editing ends; here only the user picks.
  QObject::disconnect(edit, &QLineEdit::editingFinished, box, nullptr);
  box->setAccessibleName(name);
  edit->setAccessibleName(name);
  return box;
}

void HoldAnyLength(QLineEdit* field) {
  field->setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace larkspin
