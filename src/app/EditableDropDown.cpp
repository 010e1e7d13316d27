#include "EditableDropDown.h"

#include <QComboBox>
#include <QLineEdit>

namespace larkspin {

QComboBox* MakeEditableDropDown(QWidget* parent, const QString& name) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setDuplicatesEnabled(true);
  // Qt picks the matching entry when editing ends; here only the user picks.
  QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
  box->setAccessibleName(name);
  box->lineEdit()->setAccessibleName(name);
  return box;
}

}  // namespace larkspin
