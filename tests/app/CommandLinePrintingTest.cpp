// `larkspin --next-round` and `larkspin --scorecard`: the real program, with no display, on the
// golfer of the handicap's tests.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/Files.h"
#include "support/PdfText.h"

using larkspin::testing::ReadFile;
using larkspin::testing::WriteFile;

namespace {

struct Run {
  int status = -1;
  QByteArray output;
  QByteArray errors;
};

}  // namespace

class CommandLinePrintingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(data_.isValid());
    for (const char* name : {"lks.dat", "courses.dat", "ratings.dat"}) {
      QVERIFY(WriteFile(
          data_.filePath(QLatin1String(name)),
          ReadFile(QStringLiteral(LARKSPIN_TEST_DATA "/handicap/") + QLatin1String(name))));
    }
  }

  void nextRound_printsTheFiguresAsCsv() {
    const Run run = Larkspin({QStringLiteral("--next-round"), QStringLiteral("Heron Lakes")});
    QCOMPARE(run.errors, QByteArray());
    QCOMPARE(run.status, 0);
    const QList<QByteArray> lines = run.output.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QByteArray("\xEF\xBB\xBF"
                                  "COURSE,RATING,SLOPE,COURSE_HANDICAP,LOWER,KEEP\r"));
    const QList<QByteArray> cells = lines[1].chopped(1).split(',');
    QCOMPARE(cells.size(), 6);
    QCOMPARE(cells[0], QByteArray("Heron Lakes"));
    // LOWER below or at KEEP, both scores a golfer can make.
    QVERIFY2(cells[4].toInt() > 60 && cells[4].toInt() <= cells[5].toInt(), lines[1].constData());
  }

  void nextRound_refusesACourseNotRated() {
    const Run run = Larkspin({QStringLiteral("--next-round"), QStringLiteral("Nowhere")});
    QCOMPARE(run.status, 1);
    QVERIFY(run.output.isEmpty());
    QVERIFY2(run.errors.contains("\"Nowhere\" is not a rated course"), run.errors.constData());
  }

  void scorecard_writesTheBlankCardAsAOnePagePdf_data() {
    QTest::addColumn<QStringList>("allowance");
    QTest::addColumn<QString>("format");
    QTest::newRow("a format by name")
        << QStringList{"--format", "stableford"} << QStringLiteral("Stableford 95 %");
    QTest::newRow("an allowance of one's own")
        << QStringList{"--allowance", "70"} << QStringLiteral("Custom 70 %");
  }
  void scorecard_writesTheBlankCardAsAOnePagePdf() {
    QFETCH(QStringList, allowance);
    QFETCH(QString, format);
    const QString pdf = data_.filePath(QStringLiteral("card.pdf"));
    const Run run = Larkspin(
        QStringList{QStringLiteral("--scorecard"), QStringLiteral("Heron Lakes"), pdf} + allowance);
    QCOMPARE(run.errors, QByteArray());
    QCOMPARE(run.status, 0);
    QVERIFY(QFile::exists(pdf));
    const auto text = larkspin::testing::PdfText(pdf);
    if (!text) QSKIP("pdftotext (poppler-utils) is not installed");
    QCOMPARE(larkspin::testing::PdfPages(pdf), 1);
    QVERIFY2(text->contains(QStringLiteral("Heron Lakes")), qPrintable(*text));
    QVERIFY(text->contains(format));
    QVERIFY(text->contains(QStringLiteral("Playing handicap")));
  }

  void scorecard_refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("no file") << QStringList{"--scorecard", "Heron Lakes"} << 2
                             << "needs a course and a PDF file";
    QTest::newRow("an unknown format")
        << QStringList{"--scorecard", "Heron Lakes", "c.pdf", "--format", "skins"} << 2
        << "--format is one of";
    QTest::newRow("an allowance out of range")
        << QStringList{"--scorecard", "Heron Lakes", "c.pdf", "--allowance", "101"} << 2
        << "1 to 100";
    QTest::newRow("both") << QStringList{"--scorecard", "Heron Lakes", "c.pdf",     "--allowance",
                                         "90",          "--format",    "stableford"}
                          << 2 << "choose one of --format and --allowance";
    QTest::newRow("a format without a card")
        << QStringList{"--next-round", "Heron Lakes", "--format", "stableford"} << 2
        << "goes with --scorecard";
    QTest::newRow("an unknown course")
        << QStringList{"--scorecard", "Nowhere", "c.pdf"} << 1 << "There is no course \"Nowhere\"";
    QTest::newRow("over a data file")
        << QStringList{"--scorecard", "Heron Lakes", "lks.dat"} << 1 << "lks.dat";
    QTest::newRow("into a folder not there")
        << QStringList{"--scorecard", "Heron Lakes", "missing/c.pdf"} << 1 << "missing";
  }
  void scorecard_refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, complaint);
    const QByteArray rounds = ReadFile(data_.filePath(QStringLiteral("lks.dat")));
    const Run run = Larkspin(arguments);
    QCOMPARE(run.status, status);
    QVERIFY2(run.errors.contains(complaint.toUtf8()), run.errors.constData());
    QVERIFY(!QFile::exists(data_.filePath(QStringLiteral("c.pdf"))));
    QCOMPARE(ReadFile(data_.filePath(QStringLiteral("lks.dat"))), rounds);
  }

 private:
  Run Larkspin(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      environment.remove(QString::fromLatin1(name));
    // The remembered format is the user's own: a home of the test's.
    environment.insert(QStringLiteral("HOME"), data_.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), data_.filePath(QStringLiteral("config")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(data_.path());
    process.start(QStringLiteral(LARKSPIN_PROGRAM),
                  QStringList{QStringLiteral("--data-dir"), data_.path()} + arguments);
    Run run;
    if (!process.waitForFinished(60000)) return run;
    run.status = process.exitCode();
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
  }

  QTemporaryDir data_;
};

QTEST_GUILESS_MAIN(CommandLinePrintingTest)
#include "CommandLinePrintingTest.moc"
