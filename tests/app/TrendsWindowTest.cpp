// The "Trends" window opened from the real main window, offscreen: the button and the menu item,
// a window to assistive technology that fits the screen, the summary and the charts with their
// legends and tips, following every change of the tables, and "Save Chart…".
#include <QAccessible>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolTip>
#include <QtTest>

#include "CScorecardDlg.h"
#include "HoleBox.h"
#include "TrendsWindow.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ClickRound;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::TypeStrokes;
using larkspin::testing::WriteFile;

namespace {

// One round: its course, its date and the same strokes and putts on all 18 holes.
struct RoundLine {
  const char* course;
  const char* date;
  const char* strokes;
  const char* putts;
};

QByteArray RoundFile(std::initializer_list<RoundLine> rounds) {
  QByteArray file = "CREATOR=LARKSP 1.0";
  for (const RoundLine& round : rounds) {
    if (file.size() > 18) file += "\r\n";
    file += QByteArray("\r\nCOURSE=") + round.course + "\r\nDATE=" + round.date;
    for (int hole = 1; hole <= 18; ++hole)
      file += "\r\nS" + QByteArray::number(hole) + "=" + round.strokes;
    for (int hole = 1; hole <= 18; ++hole)
      file += "\r\nP" + QByteArray::number(hole) + "=" + round.putts;
  }
  return file + "\r\n";
}

QByteArray CourseFile(const char* name, const char* par) {
  QByteArray file = QByteArray("COURSE=") + name + "\r\nDATE=";
  for (int hole = 1; hole <= 18; ++hole)
    file += "\r\nS" + QByteArray::number(hole) + "=" + par;
  return file + "\r\n";
}

QString Figure(const TrendsWindow& trends, const QString& figure) {
  const QTableWidget* summary = trends.Widgets().summary;
  for (int row = 0; row < summary->rowCount(); ++row) {
    if (summary->item(row, 0)->text() == figure) return summary->item(row, 1)->text();
  }
  return QStringLiteral("<no row %1>").arg(figure);
}

int PointCount(const QChartView* chart) {
  const auto series = chart->chart()->series();
  return series.isEmpty() ? -1 : static_cast<int>(qobject_cast<QLineSeries*>(series[0])->count());
}

QStringList Legend(const QChartView* chart) {
  QStringList names;
  for (const QLegendMarker* marker : chart->chart()->legend()->markers()) {
    if (marker->isVisible()) names << marker->label();
  }
  return names;
}

// A change of the tables in the main window, and a figure of the open trends window before and
// after it.
struct TablesChange {
  const char* name;
  std::function<void(CScorecardDlg&, ScorecardHarness&)> make;
  const char* figure;
  const char* before;
  const char* after;
};

const TablesChange kTablesChanges[] = {
    {"Update Score",
     [](CScorecardDlg& w, ScorecardHarness&) {
       ClickRound(w, 0);
       TypeStrokes(w, QStringLiteral("3"));
       QTest::mouseClick(w.Widgets().updateScore, Qt::LeftButton);
     },
     "Best round", "72 (2023-12-31, Elm)", "54 (2024-04-01, Oak)"},
    {"Remove Score",
     [](CScorecardDlg& w, ScorecardHarness&) {
       ClickRound(w, 0);
       QTest::mouseClick(w.Widgets().removeScore, Qt::LeftButton);
     },
     "Rounds", "4", "3"},
    // Elm's round gets its pars: all four rounds count to par, not Oak's three.
    {"Add Course",
     [](CScorecardDlg& w, ScorecardHarness&) {
       w.Widgets().course->setEditText(QStringLiteral("Elm"));
       TypeStrokes(w, QStringLiteral("4"));
       QTest::mouseClick(w.Widgets().addCourse, Qt::LeftButton);
     },
     "Average to par", "+18.0", "+13.5"},
    {"Import Rounds",
     [](CScorecardDlg& w, ScorecardHarness& h) {
       QVERIFY(WriteFile(h.FilePath("golf.csv"), "COURSE,DATE,S1\r\nBirch,2024-06-03,3\r\n"));
       h.fileChooser.path = h.FilePath("golf.csv");
       h.prompter.choices = {0};  // Import All
       w.MenuBar().importRounds->trigger();
     },
     "Rounds", "4", "5"},
};

}  // namespace

class TrendsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    harness_ = std::make_unique<ScorecardHarness>();
    harness_->clock.today = QDate(2024, 6, 30);
    QVERIFY(WriteFile(harness_->FilePath("lks.dat"), RoundFile({{"Oak", "2024-06-02", "5", "2"},
                                                                {"Oak", "2024-05-01", "4", "2"},
                                                                {"Elm", "2023-12-31", "4", "1"},
                                                                {"Oak", "2024-04-01", "6", "x"}})));
    QVERIFY(WriteFile(harness_->FilePath("courses.dat"), CourseFile("Oak", "4")));
  }

  void cleanup() {
    window_.reset();
    harness_.reset();
  }

  void trendsButton_opensOneWindowAndRaisesItAgain() {
    auto& w = Open();
    QPushButton* button = w.Widgets().trends;
    QCOMPARE(button->accessibleName(), QStringLiteral("Trends"));
    QCOMPARE(button->y(), w.Widgets().overallReport->y());
    QVERIFY(button->x() > w.Widgets().overallReport->x());
    QTest::mouseClick(button, Qt::LeftButton);
    TrendsWindow* trends = w.findChild<TrendsWindow*>();
    QVERIFY(trends && trends->isVisible());
    QCOMPARE(trends->windowTitle(), QStringLiteral("Trends"));
    QVERIFY(!trends->isModal());
    // A window to a screen reader, announced by its title; not a "filler" inside another.
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(trends);
    QVERIFY(accessible->role() == QAccessible::Dialog || accessible->role() == QAccessible::Window);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Trends"));
    QCOMPARE(trends->Widgets().course->currentText(), QStringLiteral("All courses"));
    QCOMPARE(trends->Widgets().course->count(), 2);  // "All courses", "Oak"
    QCOMPARE(trends->Widgets().rounds->currentText(), QStringLiteral("All rounds"));
    QCOMPARE(trends->Widgets().summary->accessibleName(), QStringLiteral("Summary"));

    trends->hide();
    QAction* menuItem = w.MenuBar().trends;
    QCOMPARE(menuItem->text(), QStringLiteral("&Trends\u2026"));
    QCOMPARE(menuItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    QVERIFY(w.MenuBar().view->actions().contains(menuItem));
    menuItem->trigger();
    QCOMPARE(w.findChildren<TrendsWindow*>().size(), 1);
    QVERIFY(trends->isVisible());
  }

  void summaryAndChart_showTheChosenRounds() {
    TrendsWindow& trends = OpenTrends();
    QCOMPARE(Figure(trends, "Rounds"), QStringLiteral("4"));
    QCOMPARE(Figure(trends, "Scoring average"), QStringLiteral("85.5"));
    QCOMPARE(Figure(trends, "Best round"), QStringLiteral("72 (2023-12-31, Elm)"));
    QCOMPARE(Figure(trends, "Putts per round"), QStringLiteral("30.0"));
    QCOMPARE(PointCount(trends.Widgets().charts[kScoreByRound]), 4);

    trends.Widgets().course->setCurrentIndex(1);  // "Oak"
    QCOMPARE(Figure(trends, "Best round"), QStringLiteral("72 (2024-05-01, Oak)"));
    trends.Widgets().rounds->setCurrentIndex(3);  // "This year"
    QCOMPARE(Figure(trends, "Rounds"), QStringLiteral("3"));
    QCOMPARE(Figure(trends, "Average to par"), QStringLiteral("+18.0"));
    QCOMPARE(Figure(trends, "Greens in regulation"), QStringLiteral("50.0%"));
    QCOMPARE(PointCount(trends.Widgets().charts[kScoreByRound]), 3);
  }

  // On a screen smaller than the charts want, the window and its title bar stand wholly on it,
  // and the charts go fewer to a row, to be scrolled to, never cut off at the side.
  void smallScreen_windowFitsAndTheChartsReflow() {
    TrendsWindow& trends = OpenTrends();
    QTRY_VERIFY(trends.screen()->availableGeometry().contains(trends.frameGeometry()));
    QVERIFY(trends.minimumSizeHint().width() < 1024);
    const auto* scroll = trends.findChild<QScrollArea*>();
    for (const int width : {1022, 700, 400}) {
      trends.resize(width, 600);
      QTRY_COMPARE(trends.width(), width);
      QTRY_COMPARE(scroll->horizontalScrollBar()->maximum(), 0);
      QTRY_VERIFY(scroll->widget()->width() <= scroll->viewport()->width());
      const QPushButton* last = trends.Widgets().saveChart.back();
      QVERIFY(scroll->widget()->rect().contains(
          last->geometry().translated(last->parentWidget()->mapTo(scroll->widget(), QPoint()))));
    }
  }

  // Four rounds, one without putts: no average of five rounds in the legend, one name for the
  // putts line broken around that round, and each point's date, course and value on hover.
  void charts_nameOnlyWhatTheyDrawAndTellEachPoint() {
    TrendsWindow& trends = OpenTrends();
    const auto& charts = trends.Widgets().charts;
    QCOMPARE(Legend(charts[kScoreByRound]), QStringList{"Score"});
    QCOMPARE(Legend(charts[kPuttsAndGreens]),
             (QStringList{"Putts per round", "Greens in regulation"}));
    QCOMPARE(charts[kPuttsAndGreens]->chart()->series().size(), 3);  // two runs of putts

    // The mouse resting a few pixels from the last round's point, then far from any.
    QChartView* view = charts[kScoreByRound];
    QChart* chart = view->chart();
    auto* score = qobject_cast<QLineSeries*>(chart->series()[0]);
    const QPoint point =
        view->mapFromScene(chart->mapToScene(chart->mapToPosition(score->at(3), score)));
    const auto rest = [view](QPoint at) {
      QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
      QApplication::sendEvent(view->viewport(), &help);
    };
    rest(point + QPoint(-4, 3));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("2024-06-02, Oak\nScore: 90"));
    rest(QPoint(2, 2));
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  void tablesChange_showsInTheOpenWindow_data() {
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("hidden");  // the window hidden during the change, then shown again
    for (int i = 0; i < static_cast<int>(std::size(kTablesChanges)); ++i) {
      QTest::newRow(kTablesChanges[i].name) << i << false;
      QTest::addRow("%s while hidden", kTablesChanges[i].name) << i << true;
    }
  }
  // Each change, then Undo, then Redo.
  void tablesChange_showsInTheOpenWindow() {
    QFETCH(int, change);
    QFETCH(bool, hidden);
    const TablesChange& c = kTablesChanges[change];
    TrendsWindow& trends = OpenTrends();
    const QString figure = QString::fromLatin1(c.figure);
    QCOMPARE(Figure(trends, figure), QString::fromUtf8(c.before));
    if (hidden) trends.hide();
    c.make(*window_, *harness_);
    if (hidden) window_->MenuBar().trends->trigger();
    QVERIFY(trends.isVisible());
    QCOMPARE(Figure(trends, figure), QString::fromUtf8(c.after));
    window_->MenuBar().undo->trigger();
    QCOMPARE(Figure(trends, figure), QString::fromUtf8(c.before));
    window_->MenuBar().redo->trigger();
    QCOMPARE(Figure(trends, figure), QString::fromUtf8(c.after));
  }

  void addScore_showsTheNewRoundInTheOpenWindow() {
    TrendsWindow& trends = OpenTrends();
    const auto& c = window_->Widgets();
    c.course->setEditText(QStringLiteral("Oak"));
    for (HoleBox* hole : c.holes)
      hole->strokes->setText(QStringLiteral("3"));
    QTest::mouseClick(c.addScore, Qt::LeftButton);
    QCOMPARE(Figure(trends, "Rounds"), QStringLiteral("5"));
    QCOMPARE(Figure(trends, "Best round"), QStringLiteral("54 (Oak)"));
    QCOMPARE(PointCount(trends.Widgets().charts[kScoreByRound]), 5);
  }

  // However small the window, a PNG is 1,200 pixels wide.
  void saveChart_writesAPngOrAnSvgByTheNamesExtension() {
    TrendsWindow& trends = OpenTrends();
    trends.resize(400, 300);
    for (const char* name : {"score.png", "score.SVG"}) {
      const QString path = harness_->FilePath(name);
      trends.SetFileChooser([path](QWidget*, const QString&) { return path; });
      QTest::mouseClick(trends.Widgets().saveChart[kScoreByRound], Qt::LeftButton);
      const QByteArray bytes = ReadFile(path);
      if (path.endsWith(QLatin1String(".png"))) {
        QVERIFY(bytes.startsWith("\x89PNG\r\n"));
        QCOMPARE(QImage::fromData(bytes).width(), 1200);
      } else {
        QVERIFY(bytes.contains("<svg") && bytes.contains("Score by round"));
      }
    }
    QVERIFY(harness_->prompter.messages.empty());
  }

  void saveChart_thatFailsTellsTheFileAndTheReason() {
    TrendsWindow& trends = OpenTrends();
    for (const char* name : {"missing/score.png", "score.gif"}) {
      const QString path = harness_->FilePath(name);
      trends.SetFileChooser([path](QWidget*, const QString&) { return path; });
      QTest::mouseClick(trends.Widgets().saveChart[kScoringMix], Qt::LeftButton);
      QVERIFY(!QFile::exists(path));
      QCOMPARE(harness_->prompter.messages.size(), std::size_t{1});
      const auto& message = harness_->prompter.messages.back();
      QCOMPARE(message.title, std::string("Error Saving File."));
      QVERIFY2(message.text.starts_with("Save Chart\r\n" + path.toStdString() + ": ") &&
                   message.text.size() > path.toStdString().size() + 14,
               message.text.c_str());
      harness_->prompter.messages.clear();
    }
  }

 private:
  CScorecardDlg& Open() {
    window_ = larkspin::testing::OpenMainWindow(harness_->services);
    return *window_;
  }

  TrendsWindow& OpenTrends() {
    QTest::mouseClick(Open().Widgets().trends, Qt::LeftButton);
    return *window_->findChild<TrendsWindow*>();
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(TrendsWindowTest)
#include "TrendsWindowTest.moc"
