// Opening, Add, Update and Remove Score fit the round list's columns to their widest cell or
// heading.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

#include "CScorecardDlg.h"
#include "FigureWidths.h"
#include "HoleBox.h"
#include "RoundListModel.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ScorecardHarness;

class ColumnFitTest : public QObject {
  Q_OBJECT

 private slots:
  void openingAndRemoveScore_fitWidestCellOrHeading() {
    ScorecardHarness harness;
    QVERIFY(testing::WriteFile(harness.FilePath("lks.dat"),
                               testing::ReadFile(LARKSPIN_TEST_DATA "/three_rounds.dat")));
    auto window = testing::OpenMainWindow(harness.services);
    const ViewTextMeasure measure = Measure(*window);
    QCOMPARE(Width(*window, kCourseColumn), measure.TextWidth("Château Vert"));
    // Strokes have one digit; the heading "10" is wider.
    QCOMPARE(Width(*window, ScoreColumn(10)), measure.HeadingWidth(ScoreColumn(10)));

    ClickRow(*window, 1);
    QTest::mouseClick(window->Widgets().removeScore, Qt::LeftButton);
    QCOMPARE(Width(*window, kCourseColumn),
             std::max({measure.TextWidth("Pine Hills"), measure.TextWidth("Oak Creek"),
                       measure.HeadingWidth(kCourseColumn)}));
  }

  void addAndUpdateScore_refitTheColumns() {
    ScorecardHarness harness;
    auto window = testing::OpenMainWindow(harness.services);  // no file: headings only
    const ViewTextMeasure measure = Measure(*window);
    const auto& c = window->Widgets();
    QCOMPARE(Width(*window, kCourseColumn), measure.HeadingWidth(kCourseColumn));
    QCOMPARE(Width(*window, PuttsColumn(18)), measure.HeadingWidth(PuttsColumn(18)));

    c.course->setEditText(QStringLiteral("Royal Oak Golf Club"));
    c.holes[17]->putts->setText(QStringLiteral("1234-5678-90"));
    QTest::mouseClick(c.addScore, Qt::LeftButton);
    QCOMPARE(Width(*window, kCourseColumn), measure.TextWidth("Royal Oak Golf Club"));
    QCOMPARE(Width(*window, PuttsColumn(18)), measure.TextWidth("1234-5678-90"));

    ClickRow(*window, 0);
    c.course->setEditText(QStringLiteral("Elm Park"));
    c.holes[17]->putts->setText(QStringLiteral("2"));
    QTest::mouseClick(c.updateScore, Qt::LeftButton);
    QCOMPARE(Width(*window, kCourseColumn),
             std::max(measure.TextWidth("Elm Park"), measure.HeadingWidth(kCourseColumn)));
    QCOMPARE(Width(*window, PuttsColumn(18)), measure.HeadingWidth(PuttsColumn(18)));
  }

  // Figures are measured by their shape where the font allows: always to the width of the text
  // itself, in the usual font and in ones that set figures otherwise.
  void figureTexts_measureAsTheirOwnText() {
    QFont bold = QApplication::font();
    bold.setBold(true);
    QFont serifItalic(QStringLiteral("DejaVu Serif"), 13);
    serifItalic.setItalic(true);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    QFont large = QApplication::font();
    large.setPixelSize(31);
    const char* const texts[] = {"2023-05-17", "2011-11-11", "1999-08-08", "250", "7",
                                 "11",         "+16",        "-3",         "0",   "1/2",
                                 "12:30",      "9.5",        "--",         "1-1"};
    // Figures of their own widths, kerned: measured one by one where the font is installed.
    const QFont proportional(QStringLiteral("C059"));
    for (const QFont& font : {QApplication::font(), bold, serifItalic, mono, large, proportional}) {
      FigureWidths figures(font);
      for (const char* text : texts) {
        const int exact = QFontMetrics(font).horizontalAdvance(QString::fromLatin1(text));
        QCOMPARE(figures.Width(text).value_or(exact), exact);
      }
      QVERIFY(!figures.Width("Pine Hills"));
      QVERIFY(!figures.Width("7I"));
    }
  }

  // The heading row is as high as Qt's own header would make it, measuring every heading: in the
  // list's font, in a larger one and in an italic serif.
  void headings_asHighAsEveryHeadingNeeds() {
    ScorecardHarness harness;
    QVERIFY(testing::WriteFile(harness.FilePath("lks.dat"),
                               testing::ReadFile(LARKSPIN_TEST_DATA "/three_rounds.dat")));
    auto window = testing::OpenMainWindow(harness.services);
    QHeaderView* header = window->Widgets().rounds->horizontalHeader();
    QFont large = header->font();
    large.setPointSize(large.pointSize() + 7);
    QFont serif(QStringLiteral("DejaVu Serif"), 15);
    serif.setItalic(true);
    for (const QFont& font : {header->font(), large, serif}) {
      header->setFont(font);
      QCOMPARE(header->sizeHint().height(), header->QHeaderView::sizeHint().height());
    }
  }

  // The headings' widths are kept from one fit to the next: a new font in the header is measured
  // anew at the next change of a round, for the cells' columns and the figures' alike.
  void headingWidths_followTheHeadersFont() {
    ScorecardHarness harness;
    auto window = testing::OpenMainWindow(harness.services);  // no file: headings only
    QHeaderView* header = window->Widgets().rounds->horizontalHeader();
    QFont large = header->font();
    large.setPointSize(large.pointSize() + 7);
    header->setFont(large);
    window->Widgets().course->setEditText(QStringLiteral("Elm"));
    QTest::mouseClick(window->Widgets().addScore, Qt::LeftButton);
    for (const int section : {ListColumn(ScoreColumn(10)), ListColumn(PuttsColumn(18)),
                              ListColumn(RoundFigure::kToPar)}) {
      QCOMPARE(header->sectionSize(section), header->sectionSizeHint(section));
    }
  }

 private:
  static void ClickRow(const CScorecardDlg& window, int row) {
    const RoundListView* view = window.Widgets().rounds;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
  }
  static ViewTextMeasure Measure(const CScorecardDlg& window) {
    return {*window.Widgets().rounds, *window.Widgets().rounds->Header()};
  }
  static int Width(const CScorecardDlg& window, int column) {
    return window.Widgets().rounds->horizontalHeader()->sectionSize(ListColumn(column));
  }
};

QTEST_MAIN(ColumnFitTest)
#include "ColumnFitTest.moc"
