// Printing and the playing handicap through the real windows, offscreen: File > Print Scorecard…
// and Save as PDF… on the grid's round, the Handicap window's format, playing handicap, what the
// next round must be and its Print button, and the PDF read back as text.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "CScorecardDlg.h"
#include "CourseStrokes.h"
#include "HandicapRecord.h"
#include "HandicapWindow.h"
#include "NextRound.h"
#include "NextRoundLabels.h"
#include "PagePrinter.h"
#include "PlayingHandicapBox.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"
#include "support/PdfText.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WriteFile;

namespace {

// Keeps the jobs instead of opening Qt's print preview.
class RecordingPrinter final : public PagePrinter {
 public:
  void Preview(const PrintJob& job, QWidget* parent) override {
    jobs.push_back(job);
    parents.push_back(parent);
  }
  std::vector<PrintJob> jobs;
  std::vector<QWidget*> parents;
};

const QString kCourse = QStringLiteral("Heron Lakes");

}  // namespace

class PrintingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    printer_.jobs.clear();
    printer_.parents.clear();
    harness_ = std::make_unique<ScorecardHarness>();
    harness_->clock.today = QDate(2025, 6, 1);
    for (const char* name : {"lks.dat", "courses.dat", "ratings.dat"}) {
      QVERIFY(WriteFile(
          harness_->FilePath(name),
          ReadFile(QStringLiteral(LARKSPIN_TEST_DATA "/handicap/") + QLatin1String(name))));
    }
    settings_ =
        std::make_unique<QSettings>(harness_->FilePath("settings.ini"), QSettings::IniFormat);
    Open();
  }
  void cleanup() {
    window_.reset();
    settings_.reset();
    harness_.reset();
  }

  void fileMenu_printsAndSavesTheGridsCardAsRealText() {
    const auto& m = window_->MenuBar();
    QCOMPARE(m.printScorecard->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(m.printScorecard->text(), QStringLiteral("&Print Scorecard\u2026"));
    QCOMPARE(m.saveScorecardPdf->text(), QStringLiteral("Save as P&DF\u2026"));
    QVERIFY(m.file->actions().contains(m.printScorecard));

    // An empty grid has no course to print.
    m.printScorecard->trigger();
    QVERIFY(printer_.jobs.empty());
    QCOMPARE(harness_->prompter.messages.size(), 1u);

    // The newest round, Heron Lakes, in the grid.
    testing::ClickRound(*window_, 0);
    QCOMPARE(window_->Widgets().course->currentText(), kCourse);
    m.printScorecard->trigger();
    QCOMPARE(printer_.jobs.size(), 1u);
    QCOMPARE(printer_.jobs[0].title, QStringLiteral("Scorecard: ") + kCourse);
    QCOMPARE(printer_.parents[0], window_.get());

    harness_->fileChooser.path = harness_->FilePath("card.pdf");
    m.saveScorecardPdf->trigger();
    QCOMPARE(harness_->fileChooser.titles.back(), std::string("Save as PDF"));
    QCOMPARE(harness_->fileChooser.suggestedNames.back(), kCourse + " scorecard.pdf");
    QCOMPARE(harness_->prompter.messages.size(), 1u);
    const auto text = testing::PdfText(harness_->fileChooser.path);
    if (!text) QSKIP("pdftotext (poppler-utils) is not installed");
    QCOMPARE(testing::PdfPages(harness_->fileChooser.path), 1);
    QVERIFY(testing::PdfFontsEmbedded(harness_->fileChooser.path));
    QVERIFY2(text->contains(kCourse), qPrintable(*text));
    for (const char* word : {"Out", "In", "Total", "Par", "Stroke index", "Strokes received",
                             "Stableford points", "Individual stroke play 95 %"}) {
      QVERIFY2(text->contains(QLatin1String(word)), word);
    }
    QVERIFY(
        text->contains(QRegularExpression(QStringLiteral("\\b1\\s+2\\s+3\\s+4\\s+5\\s+6"
                                                         "\\s+7\\s+8\\s+9\\s+Out\\s+10"))));
    // The round's strokes and their total, as the grid adds them.
    int strokes = 0;
    for (const auto* hole : window_->Widgets().holes)
      strokes += hole->strokes->text().toInt();
    QVERIFY(strokes > 60);
    QVERIFY2(text->contains(QRegularExpression(QStringLiteral("Score.*\\b%1\\b").arg(strokes))),
             qPrintable(*text));

    // A folder that is not there: told, with the file.
    harness_->fileChooser.path = harness_->FilePath("missing/card.pdf");
    m.saveScorecardPdf->trigger();
    QCOMPARE(harness_->prompter.messages.size(), 2u);
    QVERIFY(harness_->prompter.messages.back().text.find("missing") != std::string::npos);
    QVERIFY(!QFile::exists(harness_->fileChooser.path));
  }

  void handicapWindow_formatGivesThePlayingHandicapAndItsStrokes() {
    HandicapWindow* handicap = OpenHandicap();
    const auto& c = handicap->Widgets();
    const auto& a = handicap->Added();
    QCOMPARE(a.playing->format->count(), 7);
    QCOMPARE(a.playing->format->itemText(2), QStringLiteral("Four-ball stroke play 85 %"));
    QCOMPARE(a.playing->format->currentIndex(), 0);
    QVERIFY(!a.playing->custom->isVisible());
    c.course->setCurrentIndex(c.course->findText(kCourse));

    const std::optional<int> index =
        ComputeHandicapRecord(window_->Core().Rounds().Table(), window_->Core().Courses().Table(),
                              window_->Core().Ratings().Table(), harness_->clock.today)
            .indexTenths;
    const auto expect = [&](int percent) {
      const auto strokes =
          CourseStrokesFor(kCourse.toStdString(), window_->Core().Courses().Table(),
                           window_->Core().Ratings().Table(), index, percent);
      QVERIFY(strokes);
      const QString playing = QString::number(strokes->playingHandicap);
      QCOMPARE(a.playing->playingHandicap->text(), "Playing handicap: " + playing);
      QCOMPARE(a.playing->playingHandicap->accessibleName(), "Playing handicap " + playing);
      QCOMPARE(c.courseHandicap->accessibleName(),
               "Course handicap " + QString::number(strokes->courseHandicap));
      int received = 0;
      for (int hole = 0; hole < kHoles; ++hole)
        received += c.strokes->item(0, hole)->text().toInt();
      QCOMPARE(received, strokes->playingHandicap);
    };
    expect(95);
    a.playing->format->setCurrentIndex(2);
    expect(85);
    a.playing->format->setCurrentIndex(static_cast<int>(kCustomFormat));
    QVERIFY(a.playing->custom->isVisible());
    a.playing->custom->setValue(60);
    expect(60);

    // What the next round must be on the chosen course, as the core works it out.
    const NextRoundTargets targets = NextRoundTargetsFor(
        kCourse.toStdString(), window_->Core().Rounds().Table(), window_->Core().Courses().Table(),
        window_->Core().Ratings().Table(), harness_->clock.today);
    QVERIFY(targets.lower && targets.keep);
    QCOMPARE(a.nextRound->lower->text(),
             QStringLiteral("To lower your Index: %1 or better").arg(*targets.lower));
    QCOMPARE(a.nextRound->keep->accessibleName(),
             QStringLiteral("To keep it: %1 or better").arg(*targets.keep));
    QVERIFY(a.nextRound->change->text().contains(QStringLiteral(" since 20")) ||
            a.nextRound->change->text() == QStringLiteral("unchanged"));
    QVERIFY(a.nextRound->leaving->text().startsWith(QStringLiteral("Next to leave the 20: ")));

    // The choice is remembered for the next session, in the settings' file.
    Open(true);
    handicap = OpenHandicap();
    QCOMPARE(handicap->Added().playing->format->currentIndex(), static_cast<int>(kCustomFormat));
    QCOMPARE(handicap->Added().playing->custom->value(), 60);
  }

  void handicapWindow_printOffersTheCardAndTheRecord() {
    testing::ClickRound(*window_, 0);  // Heron Lakes in the grid
    HandicapWindow* handicap = OpenHandicap();
    const auto& a = handicap->Added();
    QCOMPARE(a.print->accessibleName(), QStringLiteral("Print"));
    QVERIFY(a.print->menu());
    QCOMPARE(a.print->menu()->actions().size(), 2);
    handicap->Widgets().course->setCurrentIndex(handicap->Widgets().course->findText(kCourse));
    a.printCard->trigger();
    a.printRecord->trigger();
    QCOMPARE(printer_.jobs.size(), 2u);
    QCOMPARE(printer_.jobs[0].title, QStringLiteral("Scorecard: ") + kCourse);
    QCOMPARE(printer_.jobs[1].title, QStringLiteral("Scoring record"));
    QCOMPARE(printer_.parents[1], handicap);

    // The record's page as a PDF: the Index and the 20 rows.
    const QString path = harness_->FilePath("record.pdf");
    QVERIFY(!WritePdf(printer_.jobs[1], path, QPageSize(QPageSize::A4)));
    const auto text = testing::PdfText(path);
    if (!text) QSKIP("pdftotext (poppler-utils) is not installed");
    QVERIFY(text->contains(QStringLiteral("Handicap Index")));
    QCOMPARE(text->count(QRegularExpression(QStringLiteral("\\b20\\d\\d-\\d\\d-\\d\\d\\b"))),
             21);  // 20 rounds and the day printed
  }

  // One page at every size a printer offers, however the card is turned.
  void card_fitsOnePageAtEverySize() {
    testing::ClickRound(*window_, 0);
    window_->MenuBar().printScorecard->trigger();
    QCOMPARE(printer_.jobs.size(), 1u);
    for (const auto size : {QPageSize::A4, QPageSize::Letter, QPageSize::A5, QPageSize::Legal,
                            QPageSize::A3, QPageSize::B5, QPageSize::Executive}) {
      const QString path = harness_->FilePath("size.pdf");
      QVERIFY(!WritePdf(printer_.jobs[0], path, QPageSize(size)));
      if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed");
      QCOMPARE(testing::PdfPages(path), 1);
      const auto text = testing::PdfText(path);
      QVERIFY2(text->contains(QStringLiteral("Total")) && text->contains(QStringLiteral("Net")),
               qPrintable(QPageSize(size).name()));
    }
  }

 private:
  void Open(bool rereadSettings = false) {
    window_.reset();
    if (rereadSettings) {
      settings_ =
          std::make_unique<QSettings>(harness_->FilePath("settings.ini"), QSettings::IniFormat);
    }
    window_ = testing::OpenMainWindow(harness_->services, settings_.get());
    window_->SetPagePrinter(&printer_);
  }
  HandicapWindow* OpenHandicap() {
    QTest::mouseClick(window_->Widgets().handicap, Qt::LeftButton);
    HandicapWindow* handicap = window_->findChild<HandicapWindow*>();
    if (handicap) handicap->Widgets().course->setCurrentIndex(0);
    return handicap;
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<QSettings> settings_;
  std::unique_ptr<CScorecardDlg> window_;
  RecordingPrinter printer_;
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
