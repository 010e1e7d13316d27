// The "Handicap" window opened from the real main window, offscreen, on a golfer's rounds, courses
// and ratings: a window of its own, what it shows and what a screen reader hears of it, the keys,
// how it follows Undo of a round and of the ratings, and a record that no sort of the list moves.
#include <QAccessible>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolTip>
#include <QtTest>

#include "CScorecardDlg.h"
#include "HandicapWindow.h"
#include "PlayingHandicapBox.h"
#include "RoundListView.h"
#include "TrendsWindow.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"
#include "support/TabOrder.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WriteFile;

namespace {

QString TestData(const char* name, const char* golfer = "handicap") {
  return QStringLiteral(LARKSPIN_TEST_DATA "/") + QLatin1String(golfer) + QLatin1Char('/') +
         QLatin1String(name);
}

// Every cell of the table, row by row.
QStringList Cells(const QTableWidget* table) {
  QStringList texts;
  for (int row = 0; row < table->rowCount(); ++row) {
    for (int column = 0; column < table->columnCount(); ++column)
      texts << table->item(row, column)->text();
  }
  return texts;
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
  // 25 counted rounds, the Index 5.8 held down by the hard cap, and five rounds that do not count,
  // one of them dated after today.
  void init() { Open("handicap"); }
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

  // The figures, and what a screen reader hears of them: the name of each label with its figure.
  void window_showsTheRecordNewestFirst_theLowIndexAndTheCap() {
    const HandicapWindow& handicap = OpenHandicap();
    const auto& h = handicap.Widgets();
    QCOMPARE(h.index->text(), QStringLiteral("5.8"));
    QCOMPARE(Name(h.index), QStringLiteral("Handicap Index 5.8"));
    QCOMPARE(h.lowIndex->text(), QStringLiteral("Low Index 0.8"));
    QCOMPARE(Name(h.lowIndex), QStringLiteral("Low Index 0.8"));
    QCOMPARE(h.cap->text(), QStringLiteral("Hard cap applied (uncapped 11.5)"));
    QCOMPARE(h.record->rowCount(), 20);
    QCOMPARE(h.record->item(0, 0)->text(), QStringLiteral("2024-06-09"));
    QCOMPARE(h.record->item(0, 1)->text(), QStringLiteral("Juniper Ridge, \"Old\" Course"));
    QCOMPARE(h.record->item(0, 6)->text(), QStringLiteral("25.7"));
    QCOMPARE(h.record->item(19, 0)->text(), QStringLiteral("2023-06-11"));
    QCOMPARE(Column(h.record, 7).count(QStringLiteral("\u2713")), 8);
    QCOMPARE(h.record->horizontalHeaderItem(8)->text(), QStringLiteral("Notes"));
    QCOMPARE(h.notCounted->model()->rowCount(), 5);
    // An Index a day: 23 rounds with one, two of them on one day.
    QChart* chart = h.chart->chart();
    QCOMPARE(chart->series().size(), 1);
    QCOMPARE(qobject_cast<QLineSeries*>(chart->series()[0])->count(), 22);
    QCOMPARE(chart->axes(Qt::Horizontal).value(0)->titleText(), QStringLiteral("Date"));

    QCOMPARE(h.course->count(), 2);
    const QString first = h.courseHandicap->text();
    QCOMPARE(first, QStringLiteral("Course handicap: 7"));
    QCOMPARE(Name(h.courseHandicap), QStringLiteral("Course handicap 7"));
    h.course->setCurrentIndex(1);
    QVERIFY(h.courseHandicap->text() != first);
    QCOMPARE(Name(h.courseHandicap),
             h.courseHandicap->text().replace(QStringLiteral(": "), QStringLiteral(" ")));
    for (int hole = 0; hole < 18; ++hole)
      QVERIFY(!h.strokes->item(0, hole)->text().isEmpty());
  }

  // The second golfer's last round was exceptional; the first golfer without ratings has neither
  // Index nor Low Index, and a screen reader hears so.
  void window_notesTheExceptionalScore_andSaysWhenThereIsNoIndex() {
    Open("handicap_second_golfer");
    HandicapWindow& handicap = OpenHandicap();
    const auto& h = handicap.Widgets();
    QCOMPARE(h.index->text(), QStringLiteral("30.9"));
    QCOMPARE(h.cap->text(), QStringLiteral("Soft cap applied (uncapped 31.1)"));
    QCOMPARE(Column(h.record, 8),
             QStringList{QStringLiteral("Exceptional score: \u22121.0")} + QStringList(19));

    harness_->ratingsEditor.type = [](std::vector<RatingRecord> rows) {
      for (RatingRecord& row : rows)
        row = RatingRecord{row[0]};
      return rows;
    };
    window_->MenuBar().courseRatings->trigger();
    QCOMPARE(Name(h.index), QStringLiteral("Handicap Index none yet"));
    QCOMPARE(h.lowIndex->text(), QString());
    QCOMPARE(Name(h.lowIndex), QStringLiteral("Low Index none yet"));
    QCOMPARE(h.cap->text(), QString());
    QCOMPARE(Name(h.courseHandicap), QStringLiteral("Course handicap none yet"));
  }

  // Tab goes through the window and round again, each table one stop; Shift+Tab leaves a table
  // backwards. The main window's keys work here: Ctrl+T opens Trends, whose own Tab reaches every
  // "Save Chart…", and Ctrl+H from there brings this window back.
  void keyboard_tablesAreOneStop_andTheMainWindowsKeysWork() {
    HandicapWindow& handicap = OpenHandicap();
    const auto& h = handicap.Widgets();
    handicap.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &handicap);
    h.course->setFocus();
    const auto& added = handicap.Added();
    testing::VerifyTabOrder({h.course, added.playing->format, added.print, h.strokes, h.record,
                             h.notCounted, h.chart, h.course});
    h.record->setFocus();
    QTest::keyClick(h.record, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), h.strokes);

    QTest::keyClick(h.record, Qt::Key_T, Qt::ControlModifier);
    auto* trends = window_->findChild<TrendsWindow*>();
    QVERIFY(trends && trends->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), trends);
    const auto& t = trends->Widgets();
    t.course->setFocus();
    QList<QWidget*> stops = {t.course, t.rounds, t.summary};
    for (int chart = 0; chart < kTrendsCharts; ++chart)
      stops << t.charts[chart] << t.saveChart[chart];
    testing::VerifyTabOrder(stops << t.course);

    handicap.hide();
    QTest::keyClick(t.summary, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(handicap.isVisible());
  }

  // The mouse resting near a point of the Index chart tells its day and Index.
  void chart_tellsEachPointOnHover() {
    HandicapWindow& handicap = OpenHandicap();
    QChartView* view = handicap.Widgets().chart;
    QChart* chart = view->chart();
    auto* line = qobject_cast<QLineSeries*>(chart->series()[0]);
    const QPoint point = view->mapFromScene(
        chart->mapToScene(chart->mapToPosition(line->at(line->count() - 1), line)));
    QHelpEvent help(QEvent::ToolTip, point + QPoint(-3, 2),
                    view->viewport()->mapToGlobal(point + QPoint(-3, 2)));
    QApplication::sendEvent(view->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("2024-06-09\nHandicap Index: 5.8"));
  }

  // The second golfer plays twice on some days, listed against the order those rounds count in:
  // sorting the list either way by "Total" changes nothing of the record.
  void sortingTheList_leavesTheRecord() {
    Open("handicap_second_golfer");
    HandicapWindow& handicap = OpenHandicap();
    const auto& h = handicap.Widgets();
    const QStringList record = Cells(h.record);
    const QString index = h.index->text();
    QHeaderView* header = window_->Widgets().rounds->horizontalHeader();
    int total = 0;
    while (header->model()->headerData(total, Qt::Horizontal).toString() != QLatin1String("Total"))
      ++total;
    for (int click = 0; click < 2; ++click) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(total) + 5, header->height() / 2));
      QCOMPARE(Cells(h.record), record);
      QCOMPARE(h.index->text(), index);
    }
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
  void Open(const char* golfer) {
    window_.reset();
    harness_ = std::make_unique<ScorecardHarness>();
    harness_->clock.today = QDate(2025, 6, 1);
    for (const char* name : {"lks.dat", "courses.dat", "ratings.dat"})
      QVERIFY(WriteFile(harness_->FilePath(name), ReadFile(TestData(name, golfer))));
    window_ = testing::OpenMainWindow(harness_->services);
  }

  static QString Name(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
  }

  HandicapWindow& OpenHandicap() {
    QTest::mouseClick(window_->Widgets().handicap, Qt::LeftButton);
    return *window_->findChild<HandicapWindow*>();
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(HandicapWindowTest)
#include "HandicapWindowTest.moc"
