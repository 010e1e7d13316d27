// The "Date Selection" dialog: however it closes, the day selected then is its date.
#include <QCalendarWidget>
#include <QPushButton>
#include <QtTest>

#include "CDateDlg.h"
#include "QtServices.h"

using larkspin::CalendarDatePicker;
using larkspin::CDateDlg;

class DateDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void closing_takesTheSelectedDay_data() {
    QTest::addColumn<bool>("byReturn");
    QTest::newRow("Return") << true;
    QTest::newRow("Esc") << false;
  }
  void closing_takesTheSelectedDay() {
    QFETCH(bool, byReturn);
    CDateDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Date Selection"));
    dialog.SetDate(QDate(2026, 12, 7));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.Calendar()->setSelectedDate(QDate(2003, 9, 9));
    if (byReturn) {
      QTest::mouseClick(dialog.ReturnButton(), Qt::LeftButton);
    } else {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Date(), QDate(2003, 9, 9));
  }

  void pickerUsedByTheWindow_opensOnTheDayItIsGivenAndReturnsThePick() {
    CalendarDatePicker picker;
    QDate selected;
    int monthShown = 0;
    int yearShown = 0;
    QTimer::singleShot(100, [&] {
      auto* dialog = qobject_cast<CDateDlg*>(QApplication::activeModalWidget());
      if (!dialog) return;
      selected = dialog->Calendar()->selectedDate();
      monthShown = dialog->Calendar()->monthShown();
      yearShown = dialog->Calendar()->yearShown();
      dialog->Calendar()->setSelectedDate(QDate(2003, 10, 1));
      QTest::mouseClick(dialog->ReturnButton(), Qt::LeftButton);
    });
    QCOMPARE(picker.PickDate(QDate(2003, 9, 16)), QDate(2003, 10, 1));
    QCOMPARE(selected, QDate(2003, 9, 16));
    QCOMPARE(monthShown, 9);
    QCOMPARE(yearShown, 2003);
  }

  void calendar_offersOnlyFourDigitYears() {
    CDateDlg dialog;
    dialog.SetDate(QDate(999, 12, 31));
    QVERIFY(dialog.Date().year() >= 1000);
    dialog.SetDate(QDate(10000, 1, 1));
    QVERIFY(dialog.Date().year() <= 9999);
    QVERIFY(dialog.ReturnButton()->isDefault());
  }
};

QTEST_MAIN(DateDialogTest)
#include "DateDialogTest.moc"
