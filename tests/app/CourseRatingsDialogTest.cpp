// The "Course Ratings" dialog as the user types into it, offscreen: what "OK" lets through and
// what it holds back with a box, however it is pressed, "Cancel", and the keys.
#include <QAbstractItemView>
#include <QAccessible>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "CRatingsDlg.h"
#include "support/Fakes.h"

using namespace larkspin;
using larkspin::testing::FakePrompter;

namespace {

RatingRecord Unrated(const char* course) {
  return RatingRecord{course};
}

// Types `text` into the cell as a user does: the cell selected, the keys, no Enter. The first
// key opens the cell's editor, which takes the others.
void Type(QTableWidget* table, int row, int cell, const QString& text) {
  table->setFocus();
  table->setCurrentCell(row, cell);
  QTest::keyClicks(table, text.left(1));
  QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
}

void Show(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

}  // namespace

class CourseRatingsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ok_closesOnlyWhenEveryRowIsEmptyOrValid_data() {
    QTest::addColumn<QStringList>("pine");  // Rating, Slope, then stroke indexes from hole 1
    QTest::addColumn<QString>("oakSlope");
    QTest::addColumn<QString>("box");  // empty: the dialog closes with the rows as typed
    QStringList valid = {"71.3", " 128"};
    for (int index : {7, 11, 17, 1, 13, 3, 15, 5, 9, 8, 2, 18, 12, 4, 14, 16, 10, 6})
      valid << QString::number(index);
    QTest::newRow("all empty") << QStringList() << QString() << QString();
    QTest::newRow("valid, with a space typed") << valid << QString() << QString();
    QTest::newRow("a rating alone")
        << QStringList{"71.3"} << QString()
        << "Pine: the Slope is empty; it is a whole number from 55 to 155, such as 128.";
    QTest::newRow("two rows wrong")
        << QStringList{"71.3"} << QStringLiteral("9")
        << "Oak: the Rating is empty; it is a number from 40.0 to 90.0, such as 71.3.\r\n"
           "Pine: the Slope is empty; it is a whole number from 55 to 155, such as 128.";
  }
  void ok_closesOnlyWhenEveryRowIsEmptyOrValid() {
    QFETCH(QStringList, pine);
    QFETCH(QString, oakSlope);
    QFETCH(QString, box);
    FakePrompter prompter;
    CRatingsDlg dialog({Unrated("Oak"), Unrated("Pine")}, prompter);
    Show(dialog);
    QTableWidget* table = dialog.Table();
    if (!oakSlope.isEmpty()) Type(table, 0, kSlopeCell, oakSlope);
    QCOMPARE(table->accessibleName(), QStringLiteral("Ratings"));
    QCOMPARE(table->columnCount(), 21);
    QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("Slope"));
    QCOMPARE(table->horizontalHeaderItem(20)->text(), QStringLiteral("18"));
    for (int i = 0; i < pine.size(); ++i)
      Type(table, 1, kRatingCell + i, pine[i]);

    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    if (box.isEmpty()) {
      QVERIFY(prompter.messages.empty());
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      const std::vector<RatingRecord> rows = dialog.Rows();
      QCOMPARE(rows.size(), std::size_t{2});
      QCOMPARE(rows[0], Unrated("Oak"));
      QCOMPARE(rows[1][kRatingCourseCell], std::string("Pine"));
      for (int i = 0; i < pine.size(); ++i)
        QCOMPARE(QString::fromStdString(rows[1][kRatingCell + i]), pine[i]);
    } else {
      QCOMPARE(prompter.messages.size(), std::size_t{1});
      QCOMPARE(QString::fromStdString(prompter.messages[0].text), box);
      QCOMPARE(prompter.messages[0].title, std::string("Course Ratings"));
      QVERIFY(dialog.isVisible());
    }
  }

  // A screen reader (or a script) presses OK without taking the focus from the cell being typed
  // in: the cell counts as typed, and the checks hold.
  void ok_pressedWhileACellIsTyped_checksTheCellAsTyped_data() {
    QTest::addColumn<QString>("slope");
    QTest::addColumn<QString>("box");
    QTest::newRow("wrong") << QStringLiteral("12x")
                           << "Oak: the Slope \"12x\" is not a whole number from 55 to 155.";
    QTest::newRow("right") << QStringLiteral("125") << QString();
  }
  void ok_pressedWhileACellIsTyped_checksTheCellAsTyped() {
    QFETCH(QString, slope);
    QFETCH(QString, box);
    FakePrompter prompter;
    RatingRecord oak{"Oak", "71.2", ""};
    for (int hole = 1; hole <= kHoles; ++hole)
      oak[StrokeIndexCell(hole)] = std::to_string(hole);
    CRatingsDlg dialog({oak}, prompter);
    Show(dialog);
    Type(dialog.Table(), 0, kSlopeCell, slope);
    QVERIFY(dialog.Table()->indexWidget(dialog.Table()->currentIndex()));  // still being typed

    QAccessibleInterface* ok = QAccessible::queryAccessibleInterface(dialog.OkButton());
    ok->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    if (box.isEmpty()) {
      QTRY_VERIFY(!dialog.isVisible());
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      QCOMPARE(QString::fromStdString(dialog.Rows()[0][kSlopeCell]), slope);
    } else {
      QTRY_COMPARE(prompter.messages.size(), std::size_t{1});
      QCOMPARE(QString::fromStdString(prompter.messages[0].text), box);
      QVERIFY(dialog.isVisible());
    }
  }

  // Tab and Shift+Tab, in a cell or typing in it, go from cell to cell that can be typed in, row
  // after row, and out of the table at its ends; Enter types no further and then presses OK, Esc
  // Cancel.
  void keys_tabThroughTheCellsRowByRow_enterAndEscForOkAndCancel() {
    FakePrompter prompter;
    CRatingsDlg dialog({Unrated("Oak"), Unrated("Pine")}, prompter);
    Show(dialog);
    QTableWidget* table = dialog.Table();
    const auto at = [table] { return QPoint(table->currentRow(), table->currentColumn()); };
    table->setFocus();
    table->setCurrentCell(0, StrokeIndexCell(18));
    QTest::keyClick(table, Qt::Key_Tab);
    QCOMPARE(at(), QPoint(1, kRatingCell));
    QTest::keyClick(table, Qt::Key_Backtab);
    QCOMPARE(at(), QPoint(0, StrokeIndexCell(18)));
    Type(table, 0, StrokeIndexCell(18), QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(at(), QPoint(1, kRatingCell));
    QCOMPARE(table->item(0, StrokeIndexCell(18))->text(), QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(at(), QPoint(0, StrokeIndexCell(18)));

    Type(table, 1, StrokeIndexCell(18), QStringLiteral("8"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(!table->isAncestorOf(QApplication::focusWidget()) &&
            QApplication::focusWidget() != table);
    table->setFocus();
    table->setCurrentCell(0, kRatingCell);
    QTest::keyClick(table, Qt::Key_Backtab);
    QVERIFY(QApplication::focusWidget() != table);

    // Enter in the cell being typed in ends the typing; the next presses OK, which holds back.
    Type(table, 1, kRatingCell, QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), table);
    QVERIFY(prompter.messages.empty());
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    QVERIFY(dialog.isVisible());
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  void courseColumn_isNotEditable_andCancelClosesWithoutABox() {
    FakePrompter prompter;
    CRatingsDlg dialog({Unrated("Oak")}, prompter);
    Show(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Course Ratings"));
    Type(dialog.Table(), 0, kRatingCourseCell, QStringLiteral("Elm"));
    QCOMPARE(dialog.Table()->item(0, kRatingCourseCell)->text(), QStringLiteral("Oak"));
    Type(dialog.Table(), 0, kSlopeCell, QStringLiteral("x"));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(prompter.messages.empty());
  }
};

QTEST_MAIN(CourseRatingsDialogTest)
#include "CourseRatingsDialogTest.moc"
