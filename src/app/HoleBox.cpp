#include "HoleBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "EditableDropDown.h"

namespace larkspin {

QLineEdit* MakeGridField(QWidget* parent, const QString& name, bool readOnly) {
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

QComboBox* MakeClubBox(QWidget* parent, const QString& name) {
  QComboBox* club = MakeEditableDropDown(parent, name);
  // Room for three characters and the arrow, but none for an icon, which no club has: so the
  // grid with its sums fits a screen 1024 pixels wide.
  club->setMinimumContentsLength(3);
  club->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  club->setIconSize(QSize(0, 0));
  return club;
}

QGridLayout* MakeGridGroupLayout(QWidget* group) {
  auto* layout = new QGridLayout(group);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setHorizontalSpacing(3);
  layout->setVerticalSpacing(2);
  return layout;
}

HoleBox::HoleBox(int hole, QWidget* parent)
    : QGroupBox(tr("Hole %1:").arg(hole), parent),
      par(MakeGridField(this, tr("Hole %1 par").arg(hole), true)),
      strokes(MakeGridField(this, tr("Hole %1 strokes").arg(hole), false)),
      drive(MakeGridField(this, tr("Hole %1 drive").arg(hole), false)),
      club(MakeClubBox(this, tr("Hole %1 club").arg(hole))),
      putts(MakeGridField(this, tr("Hole %1 putts").arg(hole), false)) {
  QGridLayout* layout = MakeGridGroupLayout(this);
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
