#include "CWizardDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "EditableDropDown.h"
#include "WidgetMirror.h"

namespace larkspin {

namespace {

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAccessibleName(name);
  return button;
}

QLineEdit* MakeField(const QString& name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  HoldAnyLength(field);
  field->setAccessibleName(name);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("888888")) + 12);
  return field;
}

}  // namespace

CWizardDlg::CWizardDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Score Entry Wizard"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  const std::vector<QWidget*> tabOrder = BuildControls();
  for (std::size_t i = 1; i < tabOrder.size(); ++i)
    setTabOrder(tabOrder[i - 1], tabOrder[i]);
  setFixedSize(sizeHint());
  // Typing starts with the score; later holes keep the focus where the user left it.
  controls_.score->setFocus();
}

std::vector<QWidget*> CWizardDlg::BuildControls() {
  auto& c = controls_;
  std::vector<QWidget*> tabOrder;
  auto* layout = new QVBoxLayout(this);

  c.holeLabel = new QLabel(this);
  QFont bold = c.holeLabel->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  c.holeLabel->setFont(bold);
  c.par = MakeField(tr("Par"), this);
  c.par->setReadOnly(true);
  auto* parLabel = new QLabel(tr("Par:"), this);
  parLabel->setBuddy(c.par);
  auto* top = new QHBoxLayout;
  top->addWidget(c.holeLabel);
  top->addStretch();
  top->addWidget(parLabel);
  top->addWidget(c.par);
  layout->addLayout(top);
  tabOrder.push_back(c.par);

  // Every value button as wide as the widest caption, so that the rows line up as columns.
  const int buttonWidth = fontMetrics().horizontalAdvance(QStringLiteral("888")) + 16;
  for (const WizardGroup& group : WizardGroups()) {
    auto* box = new QGroupBox(QString::fromUtf8(group.caption), this);
    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(3);
    buttons->setVerticalSpacing(3);
    for (std::size_t row = 0; row < group.rows.size(); ++row) {
      for (std::size_t column = 0; column < group.rows[row].size(); ++column) {
        const WizardButton& value = group.rows[row][column];
        QPushButton* button =
            MakeButton(QString::fromUtf8(value.caption), QString::fromUtf8(value.name), box);
        button->setFixedWidth(buttonWidth);
        buttons->addWidget(button, static_cast<int>(row), static_cast<int>(column));
        c.values.emplace_back(button, &value);
        tabOrder.push_back(button);
        connect(button, &QPushButton::clicked, this,
                [this, &value] { Run([this, &value] { wizard_->OnValueButton(value); }); });
      }
    }
    auto* row = new QHBoxLayout(box);
    row->addLayout(buttons);
    row->addStretch();
    QWidget* field = BuildField(group, box);
    if (field == c.score) {
      c.note = new QLabel(box);
      c.note->setFont(bold);
      c.note->setAlignment(Qt::AlignCenter);
      c.note->setMinimumWidth(
          QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(kHoleInOneNote)) + 12);
      row->addWidget(c.note);
    }
    row->addWidget(field);
    tabOrder.push_back(field);
    layout->addWidget(box);
  }

  c.back = MakeButton(tr("<< Back"), tr("<< Back"), this);
  c.next = MakeButton(tr("Next >>"), tr("Next >>"), this);
  c.ok = MakeButton(tr("OK"), tr("OK"), this);
  c.ok->setDefault(true);
  connect(c.back, &QPushButton::clicked, this, [this] { Navigate(&ScoreWizard::OnBack); });
  connect(c.next, &QPushButton::clicked, this, [this] { Navigate(&ScoreWizard::OnNext); });
  connect(c.ok, &QPushButton::clicked, this, &CWizardDlg::accept);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(c.back);
  bottom->addWidget(c.next);
  bottom->addSpacing(12);
  bottom->addWidget(c.ok);
  layout->addSpacing(4);
  layout->addLayout(bottom);
  tabOrder.insert(tabOrder.end(), {c.back, c.next, c.ok});
  return tabOrder;
}

QWidget* CWizardDlg::BuildField(const WizardGroup& group, QWidget* box) {
  auto& c = controls_;
  const QString name = QString::fromUtf8(group.fieldName);
  switch (group.field) {
    case WizardField::kScore:
      return c.score = MakeField(name, box);
    case WizardField::kDrive:
      return c.drive = MakeField(name, box);
    case WizardField::kClub:
      c.club = MakeEditableDropDown(box, name);
      c.club->setFixedWidth(c.score->minimumWidth() + 24);
      return c.club;
    case WizardField::kPutts:
      break;
  }
  return c.putts = MakeField(name, box);
}

WizardClosing CWizardDlg::ShowHole(ScoreWizard& wizard) {
  Attach(wizard);
  // The window opens anew for every hole; without a position of its own it would jump back to
  // the middle of its owner each time, over the grid it is filling.
  move(OpeningPosition());
  const int result = exec();
  wizard_ = nullptr;
  if (result == kEnding) return WizardClosing::kCancel;
  return result == Accepted ? WizardClosing::kOk : WizardClosing::kNavigation;
}

void CWizardDlg::Attach(ScoreWizard& wizard) {
  wizard_ = &wizard;
  wizard_->OnInitDialog();
  ShowFields();
}

void CWizardDlg::accept() {
  if (wizard_) {
    ReadFields();
    wizard_->OnOK();
  }
  QDialog::accept();
}

void CWizardDlg::done(int result) {
  lastPosition_ = pos();
  QDialog::done(result);
}

QPoint CWizardDlg::OpeningPosition() const {
  if (lastPosition_) return *lastPosition_;
  const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  if (!owner) return pos();
  // The owner's top part (the main window's grid) stays in sight.
  const QRect frame = owner->frameGeometry();
  const QSize size = frameGeometry().size();
  QRect placed(QPoint(frame.center().x() - size.width() / 2, frame.bottom() - size.height() - 8),
               size);
  if (const QScreen* screen = owner->screen()) {
    const QRect available = screen->availableGeometry();
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
  }
  return placed.topLeft();
}

template <typename Command>
void CWizardDlg::Run(Command command) {
  if (!wizard_) return;
  ReadFields();
  command();
  ShowFields();
}

void CWizardDlg::Navigate(void (ScoreWizard::*command)()) {
  if (!wizard_) return;
  ReadFields();
  (wizard_->*command)();
  reject();
}

void CWizardDlg::ReadFields() {
  WizardView& view = wizard_->View();
  view.score = FieldText(controls_.score);
  view.drive = FieldText(controls_.drive);
  ReadDropDown(controls_.club, view.club);
  view.putts = FieldText(controls_.putts);
}

void CWizardDlg::ShowFields() {
  const WizardView& view = wizard_->View();
  const auto& c = controls_;
  c.holeLabel->setText(QString::fromUtf8(view.holeLabel));
  SetFieldText(c.par, view.par);
  SetFieldText(c.score, view.score);
  c.note->setText(QString::fromUtf8(view.note));
  SetFieldText(c.drive, view.drive);
  ShowDropDown(view.club, c.club);
  SetFieldText(c.putts, view.putts);
  c.back->setEnabled(view.backEnabled);
  c.next->setEnabled(view.nextEnabled);
}

}  // namespace larkspin
