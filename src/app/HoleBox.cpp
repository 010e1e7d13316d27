#include "HoleBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "EditableDropDown.h"

namespace larkspin {

namespace {

QLineEdit* MakeField(QWidget* parent, const QString& name, bool readOnly) {
  auto* field = new QLineEdit(parent);
  HoldAnyLength(field);
  field->setAccessibleName(name);
  field->setReadOnly(readOnly);
  if (readOnly) field->setFocusPolicy(Qt::ClickFocus);
  // Room for a few characters: nine boxes stand side by side.
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("8888")) + 8);
  field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("888888")) + 8);
  return field;
}

}  // namespace

HoleBox::HoleBox(int hole, QWidget* parent)
    : QGroupBox(tr("Hole %1:").arg(hole), parent),
      par(MakeField(this, tr("Hole %1 par").arg(hole), true)),
      strokes(MakeField(this, tr("Hole %1 strokes").arg(hole), false)),
      drive(MakeField(this, tr("Hole %1 drive").arg(hole), false)),
      club(MakeEditableDropDown(this, tr("Hole %1 club").arg(hole))),
      putts(MakeField(this, tr("Hole %1 putts").arg(hole), false)) {
  club->setMinimumContentsLength(3);
  club->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setHorizontalSpacing(3);
  layout->setVerticalSpacing(2);
  layout->addWidget(par, 0, 1);
  const bool marksPutts = hole != 4 && hole != 5 && hole != 13 && hole != 14;
  const struct {
    const char* mark;
    QWidget* field;
  } rows[] = {{"S", strokes}, {"D", drive}, {"C", club}, {marksPutts ? "P" : nullptr, putts}};
  int row = 1;
  for (const auto& [mark, field] : rows) {
    if (mark) {
      auto* label = new QLabel(QString::fromLatin1(mark), this);
      label->setBuddy(field);
      layout->addWidget(label, row, 0);
    }
    layout->addWidget(field, row, 1);
    ++row;
  }
}

}  // namespace larkspin
