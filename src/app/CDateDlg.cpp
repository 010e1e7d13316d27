#include "CDateDlg.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "DateText.h"

namespace larkspin {

CDateDlg::CDateDlg(QWidget* parent)
    : QDialog(parent),
      calendar_(new QCalendarWidget(this)),
      returnButton_(new QPushButton(tr("Return"), this)) {
  setWindowTitle(tr("Date Selection"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // Only days whose year has four digits can become a date text.
  calendar_->setDateRange(QDate(kFirstDateYear, 1, 1), QDate(kLastDateYear, 12, 31));
  calendar_->setGridVisible(true);
  calendar_->setAccessibleName(tr("Calendar"));

  returnButton_->setDefault(true);
  returnButton_->setAccessibleName(tr("Return"));
  connect(returnButton_, &QPushButton::clicked, this, &QDialog::accept);
  // Double-clicking or pressing Enter on a day in the calendar also takes it.
  connect(calendar_, &QCalendarWidget::activated, this, &QDialog::accept);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(returnButton_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(calendar_);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}

void CDateDlg::SetDate(QDate day) {
  calendar_->setSelectedDate(day);
}

QDate CDateDlg::Date() const {
  return calendar_->selectedDate();
}

}  // namespace larkspin
