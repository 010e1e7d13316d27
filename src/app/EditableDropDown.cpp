#include "EditableDropDown.h"

#include <QComboBox>
#include <QLineEdit>
#include <limits>

namespace larkspin {

QComboBox* MakeEditableDropDown(QWidget* parent, const QString& name) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  HoldAnyLength(box->lineEdit());
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setDuplicatesEnabled(true);
  // Qt picks the matching entry when editing ends; here only the user picks.
  QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
  box->setAccessibleName(name);
  box->lineEdit()->setAccessibleName(name);
  return box;
}

void HoldAnyLength(QLineEdit* field) {
  field->setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace larkspin
