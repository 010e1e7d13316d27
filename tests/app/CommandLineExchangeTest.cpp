// Exports and imports from the command line: the real program, with no display at all, on a data
// folder of its own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "DataFolderLock.h"
#include "DiskFile.h"
#include "support/Files.h"

using namespace larkspin;
using larkspin::testing::ReadFile;

namespace {

const QByteArray kRounds =
    "CREATOR=LARKSP 1.0\r\nCOURSE=Pine\r\nDATE=2003-09-01\r\nS1=4\r\n\r\n"
    "COURSE=Oak\r\nDATE=2003-09-02\r\nS1=5\r\n";
const QByteArray kCsv = "COURSE,DATE,S1\r\nElm,2003-09-03,3\r\nOak,2003-09-02,6\r\n";

}  // namespace

class CommandLineExchangeTest : public QObject {
  Q_OBJECT

 private slots:
  void run_endsWithItsStatusAndChangesOnlyWhatItShould_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("windowOpen");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");  // the start of standard output
    QTest::addColumn<QString>("errors");  // the start of standard error
    QTest::addColumn<bool>("imported");   // lks.dat gained Elm

    QTest::newRow("export to standard output")
        << QStringList{"--export-rounds", "-"} << QByteArray() << false << 0
        << "\xEF\xBB\xBF"
           "COURSE,DATE,S1,"
        << "" << false;
    QTest::newRow("import from standard input, duplicates skipped")
        << QStringList{"--import-rounds", "-"} << kCsv << false << 0
        << "1 round imported from standard input. 1 duplicate skipped.\n"
        << "" << true;
    QTest::newRow("import from a file, duplicates added")
        << QStringList{"--import-rounds=golf.csv", "--duplicates=add"} << QByteArray() << false << 0
        << "2 rounds imported from golf.csv. 1 duplicate added.\n"
        << "" << true;
    QTest::newRow("a CSV that cannot be read")
        << QStringList{"--import-rounds", "-"} << QByteArray("COURSE,DATE\r\nElm,\"2003\r\n")
        << false << 1 << ""
        << "larkspin: standard input, line 2, column 2 (DATE): the quote that opens the cell is "
           "never closed. Nothing was imported.\n"
        << false;
    QTest::newRow("dates that read both ways, and --dates to say how")
        << QStringList{"--import-rounds", "-", "--dates=month-first"}
        << QByteArray("COURSE,DATE\r\nElm,05/06/2025\r\n") << false << 0
        << "1 round imported from standard input. 1 date is read month first and written "
           "YYYY-MM-DD (05/06/2025 as 2025-05-06).\n"
        << "" << true;
    QTest::newRow("dates that read both ways, without --dates")
        << QStringList{"--import-rounds", "-"} << QByteArray("COURSE,DATE\r\nElm,05/06/2025\r\n")
        << false << 1 << ""
        << "larkspin: standard input, line 2: the date 05/06/2025 reads both day first and month "
           "first; say which with --dates=day-first or --dates=month-first, or keep the dates as "
           "written with --dates=keep. Nothing was imported.\n"
        << false;
    QTest::newRow("dates with an export")
        << QStringList{"--export-rounds", "-", "--dates=keep"} << QByteArray() << false << 2 << ""
        << "larkspin: --dates goes with --import-rounds or --import-courses.\n"
        << false;
    QTest::newRow("a window open on the folder")
        << QStringList{"--import-rounds", "golf.csv"} << QByteArray() << true << 1 << ""
        << "larkspin: Larkspin is already open in this folder: " << false;
    QTest::newRow("two at once") << QStringList{"--export-rounds", "a.csv", "--import-rounds", "-"}
                                 << QByteArray() << false << 2 << ""
                                 << "larkspin: choose one export or import at a time.\n"
                                 << false;
    QTest::newRow("duplicates with an export")
        << QStringList{"--export-courses", "-", "--duplicates", "add"} << QByteArray() << false << 2
        << ""
        << "larkspin: --duplicates goes with --import-rounds or --import-courses.\n"
        << false;
    QTest::newRow("duplicates neither skip nor add")
        << QStringList{"--import-courses", "-", "--duplicates=maybe"} << QByteArray() << false << 2
        << ""
        << "larkspin: --duplicates is skip or add, not 'maybe'.\n"
        << false;
  }
  void run_endsWithItsStatusAndChangesOnlyWhatItShould() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(bool, windowOpen);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QFETCH(bool, imported);

    QTemporaryDir current;
    const QString data = current.filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkdir(data));
    const QString roundFile = QDir(data).filePath(QStringLiteral("lks.dat"));
    QVERIFY(WriteFileAtomically(roundFile, kRounds.toStdString()));
    QVERIFY(WriteFileAtomically(current.filePath(QStringLiteral("golf.csv")), kCsv.toStdString()));
    DataFolderLock window(data);
    if (windowOpen) QCOMPARE(window.TryLock(), DataFolderLock::Outcome::kLocked);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(current.path());
    process.start(QStringLiteral(LARKSPIN_PROGRAM), QStringList{"--data-dir", data} + arguments);
    QVERIFY(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);

    const QString printed = QString::fromUtf8(process.readAllStandardOutput());
    const QString told = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    // Nothing where nothing is expected.
    QVERIFY2(output.isEmpty() ? printed.isEmpty() : printed.startsWith(output),
             qPrintable(printed));
    QVERIFY2(errors.isEmpty() ? told.isEmpty() : told.startsWith(errors), qPrintable(told));
    if (status == 2) QVERIFY(told.contains(QStringLiteral("Usage: larkspin [options]")));
    const QByteArray saved = ReadFile(roundFile);
    QCOMPARE(saved.contains("COURSE=Elm\r\n"), imported);
    if (!imported) QCOMPARE(saved, kRounds);
  }
};

QTEST_GUILESS_MAIN(CommandLineExchangeTest)
#include "CommandLineExchangeTest.moc"
