// The "Course Ratings" dialog as the user types into it, offscreen: what "OK" lets through and
// what it holds back with a box, and "Cancel".
#include <QAbstractItemView>
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
    QTest::addColumn<QString>("box");       // empty: the dialog closes with the rows as typed
    QStringList valid = {"71.3", " 128"};
    for (int index : {7, 11, 17, 1, 13, 3, 15, 5, 9, 8, 2, 18, 12, 4, 14, 16, 10, 6})
      valid << QString::number(index);
    QTest::newRow("all empty") << QStringList() << QString();
    QTest::newRow("valid, with a space typed") << valid << QString();
    QTest::newRow("a rating alone")
        << QStringList{"71.3"}
        << "Pine: the Slope is empty; it is a whole number from 55 to 155, such as 128";
  }
  void ok_closesOnlyWhenEveryRowIsEmptyOrValid() {
    QFETCH(QStringList, pine);
    QFETCH(QString, box);
    FakePrompter prompter;
    CRatingsDlg dialog({Unrated("Oak"), Unrated("Pine")}, prompter);
    Show(dialog);
    QTableWidget* table = dialog.Table();
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
