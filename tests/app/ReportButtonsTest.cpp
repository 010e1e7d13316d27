// "Course Report" and "Overall Report" pressed in the real window, offscreen: the page is
// handed to the desktop once, and the window shows what the report left in the form.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "CScorecardDlg.h"
#include "DiskFile.h"
#include "HoleBox.h"
#include "RoundListView.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/MainWindow.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;

namespace {

QByteArray TestData(const char* name) {
  QFile file(QDir(QStringLiteral(LARKSPIN_TEST_DATA)).filePath(QString::fromLatin1(name)));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing test data>");
}

void PickEntry(QComboBox* box, const QString& text) {
  const int index = box->findText(text, Qt::MatchExactly);
  QVERIFY(index >= 0);
  box->setCurrentIndex(index);
  emit box->activated(index);
}

void Type(QComboBox* box, const QString& text) {
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), text);
}

}  // namespace

class ReportButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    harness_ = std::make_unique<ScorecardHarness>();
    harness_->clock.today = QDate(2026, 12, 7);
    QFile rounds(harness_->FilePath("lks.dat"));
    QVERIFY(rounds.open(QIODevice::WriteOnly));
    rounds.write(TestData("report_rounds.dat"));
    rounds.close();
    QFile courses(harness_->FilePath("courses.dat"));
    QVERIFY(courses.open(QIODevice::WriteOnly));
    courses.write(TestData("report_courses.dat"));
  }

  void cleanup() {
    window_.reset();
    harness_.reset();
  }

  void courseReport_opensThePageOnceAndGivesTheGridBack() {
    auto& w = Open();
    PickEntry(w.Widgets().course, QStringLiteral("Pine Valley"));
    Type(w.Widgets().period, QStringLiteral("y"));
    QTest::mouseClick(w.Widgets().courseReport, Qt::LeftButton);

    const QString page = QFileInfo(harness_->FilePath("report.htm")).absoluteFilePath();
    QCOMPARE(harness_->opener.opened, std::vector<QString>{page});
    QCOMPARE(ReadFile(page), TestData("course_report.htm"));
    QCOMPARE(w.Widgets().period->currentText(), QStringLiteral("Year"));
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Pine Valley"));
    QCOMPARE(w.Widgets().dateField->text(), QString());
    QCOMPARE(w.Widgets().holes[17]->strokes->text(), QString());
    QCOMPARE(w.Widgets().holes[2]->par->text(), QStringLiteral("3"));
    QVERIFY(harness_->prompter.messages.empty());
  }

  void courseReportWithoutCourse_saysSoAndWritesNothing() {
    auto& w = Open();
    Type(w.Widgets().period, QStringLiteral("mon"));
    QTest::mouseClick(w.Widgets().courseReport, Qt::LeftButton);

    QCOMPARE(harness_->prompter.messages.size(), std::size_t{1});
    QCOMPARE(harness_->prompter.messages[0].title, std::string("Error"));
    QCOMPARE(harness_->prompter.messages[0].text,
             std::string("Please select a course before generating a report."));
    QVERIFY(harness_->opener.opened.empty());
    QVERIFY(!QFileInfo::exists(harness_->FilePath("report.htm")));
    QCOMPARE(w.Widgets().period->currentText(), QStringLiteral("mon"));
  }

  void overallReport_opensThePageOnceAndGivesTheGridBack() {
    auto& w = Open();
    PickEntry(w.Widgets().course, QStringLiteral("Oak & <Hills>"));
    w.Widgets().holes[0]->strokes->setText(QStringLiteral("6"));
    const QString par = w.Widgets().holes[3]->par->text();
    QTest::mouseClick(w.Widgets().overallReport, Qt::LeftButton);

    const QString page = QFileInfo(harness_->FilePath("report.htm")).absoluteFilePath();
    QCOMPARE(harness_->opener.opened, std::vector<QString>{page});
    QCOMPARE(ReadFile(page), TestData("overall_report.htm"));
    QCOMPARE(w.Widgets().period->currentText(), QStringLiteral("Eternity"));
    QCOMPARE(w.Widgets().course->currentText(), QStringLiteral("Oak & <Hills>"));
    QCOMPARE(w.Widgets().dateField->text(), QString());
    QCOMPARE(w.Widgets().holes[0]->strokes->text(), QStringLiteral("6"));
    QCOMPARE(w.Widgets().holes[0]->club->currentText(), QString());
    QCOMPARE(w.Widgets().holes[3]->par->text(), par);
    QCOMPARE(w.Widgets().rounds->model()->rowCount(), 4);
  }

  void unwritableReport_showsTheErrorAndOpensNothing() {
    QVERIFY(QDir(harness_->dir.path()).mkdir(QStringLiteral("report.htm")));
    auto& w = Open();
    QTest::mouseClick(w.Widgets().overallReport, Qt::LeftButton);
    QCOMPARE(harness_->prompter.messages.size(), std::size_t{1});
    QCOMPARE(harness_->prompter.messages[0].title, std::string("Error Saving File."));
    const std::string path =
        QFileInfo(harness_->FilePath("report.htm")).absoluteFilePath().toStdString();
    QVERIFY(harness_->prompter.messages[0].text.starts_with("Save Report\r\n" + path + ": "));
    QVERIFY(harness_->opener.opened.empty());
  }

 private:
  CScorecardDlg& Open() {
    window_ = larkspin::testing::OpenMainWindow(harness_->services);
    return *window_;
  }

  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(ReportButtonsTest)
#include "ReportButtonsTest.moc"
