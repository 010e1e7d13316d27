#include "TotalsBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "HoleBox.h"
#include "WidgetMirror.h"

namespace larkspin {

namespace {

// A sum has at most three digits and a sign.
QLineEdit* MakeSumField(QWidget* parent, const QString& name) {
  QLineEdit* field = MakeGridField(parent, name, true);
  field->setFocusPolicy(Qt::NoFocus);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("+888")) + 8);
  return field;
}

}  // namespace

TotalsBox::TotalsBox(const QString& title, bool showsToPar, const HoleBox& hole, QWidget* parent)
    : QGroupBox(title, parent),
      par(MakeSumField(this, tr("%1 par").arg(title))),
      strokes(MakeSumField(this, tr("%1 strokes").arg(title))),
      putts(MakeSumField(this, tr("%1 putts").arg(title))) {
  QGridLayout* layout = MakeGridGroupLayout(this);
  layout->addWidget(par, 0, 1);
  const auto addRow = [&](int row, const char* mark, QLineEdit* field) {
    auto* label = new QLabel(QString::fromLatin1(mark), this);
    label->setBuddy(field);
    layout->addWidget(label, row, 0);
    layout->addWidget(field, row, 1);
  };
  addRow(1, "S", strokes);
  addRow(4, "P", putts);
  // The drive and club rows stay empty, but for the score to par in "Total". An empty row gets
  // no spacing below it: its share comes with its height.
  const int emptyRowSpacing = showsToPar ? 0 : layout->verticalSpacing();
  // As high as the hole's drive field and club box, so that the rows below stay level with the
  // holes' under any style.
  layout->setRowMinimumHeight(2, hole.drive->sizeHint().height() + emptyRowSpacing);
  layout->setRowMinimumHeight(3, hole.club->sizeHint().height() + emptyRowSpacing);
  if (showsToPar) {
    toPar = MakeSumField(this, tr("To par"));
    auto* label = new QLabel(tr("To par"), this);
    label->setBuddy(toPar);
    layout->addWidget(label, 2, 0, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(toPar, 3, 1, Qt::AlignVCenter);
  }
}

void TotalsBox::Show(const HoleSums& sums) {
  SetFieldText(par, SumText(sums.par));
  SetFieldText(strokes, SumText(sums.strokes));
  SetFieldText(putts, SumText(sums.putts));
}

void TotalsBox::ShowToPar(const std::string& text) {
  if (toPar) SetFieldText(toPar, text);
}

}  // namespace larkspin
