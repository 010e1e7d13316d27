#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QPushButton;

namespace larkspin {

// "Date Selection": a month calendar and "Return". However the dialog is closed ("Return", Esc
// or the close box), the day selected at that moment is its date.
class CDateDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CDateDlg(QWidget* parent = nullptr);

  void SetDate(QDate day);
  QDate Date() const;

  QCalendarWidget* Calendar() const { return calendar_; }
  QPushButton* ReturnButton() const { return returnButton_; }

 private:
  QCalendarWidget* calendar_;
  QPushButton* returnButton_;
};

}  // namespace larkspin
