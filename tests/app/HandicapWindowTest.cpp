// The "Handicap" window opened from the real main window, offscreen, on a golfer's rounds, courses
// and ratings: a window of its own, what it shows, and how it follows Undo of a round and of the
// ratings.
#include <QAccessible>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "CScorecardDlg.h"
#include "HandicapWindow.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WriteFile;

namespace {

QString TestData(const char* name) {
  return QStringLiteral(LARKSPIN_TEST_DATA "/handicap/") + QLatin1String(name);
}

QStringList Column(const QTableWidget* table, int column) {
  QStringList texts;
  for (int row = 0; row < table->rowCount(); ++row)
    texts << table->item(row, column)->text();
  return texts;
}

}  // namespace

class HandicapWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // 25 counted rounds, the Index 5.8, and five rounds that do not count, one of them dated after
  // today.
  void init() {
    harness_ = std::make_unique<ScorecardHarness>();
    harness_->clock.today = QDate(2025, 6, 1);
    for (const char* name : {"lks.dat", "courses.dat", "ratings.dat"})
      QVERIFY(WriteFile(harness_->FilePath(name), ReadFile(TestData(name))));
    window_ = testing::OpenMainWindow(harness_->services);
  }
  void cleanup() {
    window_.reset();
    harness_.reset();
  }

  void buttonAndMenuItem_openOneRealWindowAndRaiseItAgain() {
    const auto& c = window_->Widgets();
    QCOMPARE(c.handicap->accessibleName(), QStringLiteral("Handicap"));
    QCOMPARE(c.handicap->y(), c.trends->y());
    QVERIFY(c.handicap->x() > c.trends->x());
    QTest::mouseClick(c.handicap, Qt::LeftButton);
    HandicapWindow* handicap = window_->findChild<HandicapWindow*>();
    QVERIFY(handicap && handicap->isVisible());
    QCOMPARE(handicap->windowTitle(), QStringLiteral("Handicap"));
    QVERIFY(handicap->isWindow() && !handicap->isModal());
    const QAccessible::Role role = QAccessible::queryAccessibleInterface(handicap)->role();
    QVERIFY(role == QAccessible::Dialog || role == QAccessible::Window);
    const auto& h = handicap->Widgets();
    QCOMPARE(h.index->accessibleName(), QStringLiteral("Handicap Index"));
    QCOMPARE(h.record->accessibleName(), QStringLiteral("Scoring record"));
    QCOMPARE(h.notCounted->accessibleName(), QStringLiteral("Not counted"));
    QCOMPARE(h.course->accessibleName(), QStringLiteral("Course handicap for"));

    handicap->hide();
    QAction* item = window_->MenuBar().handicap;
    QVERIFY(window_->MenuBar().view->actions().contains(item));
    QCOMPARE(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
    item->trigger();
    QCOMPARE(window_->findChildren<HandicapWindow*>().size(), 1);
    QVERIFY(handicap->isVisible());
  }

  void window_showsTheRecordNewestFirst() {
    const HandicapWindow& handicap = OpenHandicap();
    const auto& h = handicap.Widgets();
    QCOMPARE(h.index->text(), QStringLiteral("5.8"));
    QCOMPARE(h.record->rowCount(), 20);
    QCOMPARE(h.record->item(0, 0)->text(), QStringLiteral("2024-06-09"));
    QCOMPARE(h.record->item(0, 1)->text(), QStringLiteral("Juniper Ridge, \"Old\" Course"));
    QCOMPARE(h.record->item(0, 6)->text(), QStringLiteral("25.7"));
    QCOMPARE(h.record->item(19, 0)->text(), QStringLiteral("2023-06-11"));
    QCOMPARE(Column(h.record, 7).count(QStringLiteral("\u2713")), 8);
    QCOMPARE(h.notCounted->model()->rowCount(), 5);
    const auto series = h.chart->chart()->series();
    QCOMPARE(series.size(), 1);
    QCOMPARE(qobject_cast<QLineSeries*>(series[0])->count(), 23);

    QCOMPARE(h.course->count(), 2);
    const QString first = h.courseHandicap->text();
    QVERIFY2(first.startsWith(QStringLiteral("Course handicap: ")), qPrintable(first));
    h.course->setCurrentIndex(1);
    QVERIFY(h.courseHandicap->text() != first);
    for (int hole = 0; hole < 18; ++hole)
      QVERIFY(!h.strokes->item(0, hole)->text().isEmpty());
  }

  // Remove Score and a change of the ratings, each undone: the open window follows every step.
  void window_followsUndoOfARoundAndOfTheRatings() {
    HandicapWindow& handicap = OpenHandicap();
    const QLabel* index = handicap.Widgets().index;
    auto* rounds = window_->Widgets().rounds;
    // Row 0 is dated after today; row 1 is the newest round that counts.
    QTest::mouseClick(rounds->viewport(), Qt::LeftButton, {},
                      rounds->visualRect(rounds->model()->index(1, 0)).center());
    QTest::mouseClick(window_->Widgets().removeScore, Qt::LeftButton);
    QCOMPARE(index->text(), QStringLiteral("4.8"));
    // Ctrl+Z in the Handicap window undoes as in the main window.
    handicap.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&handicap));
    QTest::keyClick(handicap.Widgets().course, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(index->text(), QStringLiteral("5.8"));

    // Juniper Ridge's ratings cleared: only Heron Lakes' rounds count.
    harness_->ratingsEditor.type = [](std::vector<RatingRecord> rows) {
      for (RatingRecord& row : rows) {
        if (row[kRatingCourseCell].starts_with("Juniper")) row = RatingRecord{row[0]};
      }
      return rows;
    };
    window_->MenuBar().courseRatings->trigger();
    QCOMPARE(harness_->ratingsEditor.opened.size(), std::size_t{1});
    QCOMPARE(harness_->ratingsEditor.opened[0].size(), std::size_t{3});  // Oak Hollow too
    QVERIFY(index->text() != QStringLiteral("5.8"));
    QCOMPARE(handicap.Widgets().course->count(), 1);
    QCOMPARE(window_->MenuBar().undo->text(), QStringLiteral("&Undo Course Ratings"));
    window_->MenuBar().undo->trigger();
    QCOMPARE(index->text(), QStringLiteral("5.8"));
    QCOMPARE(handicap.Widgets().course->count(), 2);

    // Cancel makes no step, so the undone one can still be made again.
    harness_->ratingsEditor.type = nullptr;
    window_->MenuBar().courseRatings->trigger();
    QCOMPARE(window_->MenuBar().redo->text(), QStringLiteral("&Redo Course Ratings"));
  }

  // However small, an Index below zero shows as a plus handicap.
  void window_showsAnIndexJustBelowZeroWithItsSign() {
    window_.reset();
    // Par 4 on every hole, rated 72.1 at slope 113: three rounds of 74 are 1.9 each, less 2.0.
    QByteArray rounds = "CREATOR=LARKSP 1.0\r\n";
    QByteArray courses = "CREATOR=LARKSP 1.0\r\nCOURSE=Raised\r\nDATE=\r\n";
    QByteArray ratings = "CREATOR=LARKSP 1.0\r\nCOURSE=Raised\r\nRATING=72.1\r\nSLOPE=113\r\n";
    for (const char* date : {"2025-05-01", "2025-05-02", "2025-05-03"}) {
      rounds += QByteArray("COURSE=Raised\r\nDATE=") + date + "\r\n";
      for (int hole = 1; hole <= 18; ++hole)
        rounds += "S" + QByteArray::number(hole) + (hole <= 2 ? "=5\r\n" : "=4\r\n");
      rounds += "\r\n";
    }
    for (int hole = 1; hole <= 18; ++hole) {
      courses += "S" + QByteArray::number(hole) + "=4\r\n";
      ratings += "SI" + QByteArray::number(hole) + "=" + QByteArray::number(hole) + "\r\n";
    }
    QVERIFY(WriteFile(harness_->FilePath("lks.dat"), rounds));
    QVERIFY(WriteFile(harness_->FilePath("courses.dat"), courses));
    QVERIFY(WriteFile(harness_->FilePath("ratings.dat"), ratings));
    window_ = testing::OpenMainWindow(harness_->services);
    const auto& h = OpenHandicap().Widgets();
    QCOMPARE(h.record->rowCount(), 3);
    QCOMPARE(h.index->text(), QStringLiteral("+0.1"));
  }

 private:
  HandicapWindow& OpenHandicap() {
    QTest::mouseClick(window_->Widgets().handicap, Qt::LeftButton);
    return *window_->findChild<HandicapWindow*>();
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(HandicapWindowTest)
#include "HandicapWindowTest.moc"
