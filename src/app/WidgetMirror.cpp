#include "WidgetMirror.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>

namespace larkspin {

namespace {

constexpr char kListRevision[] = "larkspinListRevision";

}  // namespace

std::string FieldText(const QLineEdit* field) {
  return field->text().toStdString();
}

void SetFieldText(QLineEdit* field, const std::string& text) {
  const QString shown = QString::fromUtf8(text);
  if (field->text() != shown) field->setText(shown);
}

void ShowDropDown(const DropDown& dropDown, QComboBox* box) {
  const QSignalBlocker blocker(box);
  const QVariant revision = QVariant::fromValue<qulonglong>(dropDown.ListRevision());
  if (box->property(kListRevision) != revision) {
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(dropDown.Entries().size()));
    for (const auto& entry : dropDown.Entries())
      entries.append(QString::fromUtf8(entry));
    box->clear();
    box->addItems(entries);
    box->setProperty(kListRevision, revision);
  }
  if (box->currentIndex() != dropDown.Selected()) box->setCurrentIndex(dropDown.Selected());
  const QString text = QString::fromUtf8(dropDown.Text());
  if (box->currentText() != text) box->setEditText(text);
}

void ReadDropDown(const QComboBox* box, DropDown& dropDown) {
  if (box->currentIndex() != dropDown.Selected()) dropDown.Pick(box->currentIndex());
  dropDown.Type(box->currentText().toStdString());
}

}  // namespace larkspin
