// The "Trends" window opened from the real main window, offscreen: the button and the menu item,
// the summary and a chart, following the tables, and "Save Chart…".
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "CScorecardDlg.h"
#include "HoleBox.h"
#include "TrendsWindow.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
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
    trends.Widgets().rounds->setCurrentIndex(3);  // "This year"
    QCOMPARE(Figure(trends, "Rounds"), QStringLiteral("3"));
    QCOMPARE(Figure(trends, "Average to par"), QStringLiteral("+18.0"));
    QCOMPARE(Figure(trends, "Greens in regulation"), QStringLiteral("50.0%"));
    QCOMPARE(PointCount(trends.Widgets().charts[kScoreByRound]), 3);
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

  void saveChart_writesAPngOrAnSvgByTheNamesExtension() {
    TrendsWindow& trends = OpenTrends();
    for (const char* name : {"score.png", "score.SVG"}) {
      const QString path = harness_->FilePath(name);
      trends.SetFileChooser([path](QWidget*, const QString&) { return path; });
      QTest::mouseClick(trends.Widgets().saveChart[kScoreByRound], Qt::LeftButton);
      const QByteArray bytes = ReadFile(path);
      if (path.endsWith(QLatin1String(".png"))) {
        QVERIFY(bytes.startsWith("\x89PNG\r\n"));
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
