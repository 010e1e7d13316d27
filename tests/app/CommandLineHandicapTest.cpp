// `larkspin --handicap`: the real program, with no display, on two golfers whose scoring records
// were worked out apart from the program.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/Files.h"

using larkspin::testing::ReadFile;
using larkspin::testing::WriteFile;

class CommandLineHandicapTest : public QObject {
  Q_OBJECT

 private slots:
  void handicap_writesTheGolfersRecord_data() {
    QTest::addColumn<QString>("golfer");
    QTest::addColumn<QString>("file");
    QTest::newRow("standard output") << QStringLiteral("handicap") << QStringLiteral("-");
    QTest::newRow("a file") << QStringLiteral("handicap") << QStringLiteral("record.csv");
    QTest::newRow("the second golfer")
        << QStringLiteral("handicap_second_golfer") << QStringLiteral("-");
  }
  void handicap_writesTheGolfersRecord() {
    QFETCH(QString, golfer);
    QFETCH(QString, file);
    const QString folder = QStringLiteral(LARKSPIN_TEST_DATA "/") + golfer + QLatin1Char('/');
    QTemporaryDir data;
    for (const char* name : {"courses.dat", "ratings.dat"}) {
      QVERIFY(
          WriteFile(data.filePath(QLatin1String(name)), ReadFile(folder + QLatin1String(name))));
    }
    // The program reads the computer's clock: the first golfer's round dated 2025-07-01, after
    // the day the record was worked out on, is left out.
    QByteArray rounds = ReadFile(folder + QStringLiteral("lks.dat"));
    const qsizetype future = rounds.indexOf("\r\nCOURSE=Heron Lakes\r\nDATE=2025-07-01");
    if (future > 0) rounds.truncate(future);
    QVERIFY(WriteFile(data.filePath(QStringLiteral("lks.dat")), rounds));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(data.path());
    process.start(QStringLiteral(LARKSPIN_PROGRAM),
                  {QStringLiteral("--data-dir"), data.path(), QStringLiteral("--handicap"), file});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    const QByteArray csv = file == QLatin1String("-") ? process.readAllStandardOutput()
                                                      : ReadFile(data.filePath(file));
    QCOMPARE(csv, ReadFile(folder + QStringLiteral("record.csv")));
    QVERIFY(!QFile::exists(data.filePath(QStringLiteral("ratings.dat.unread"))));
  }
};

QTEST_GUILESS_MAIN(CommandLineHandicapTest)
#include "CommandLineHandicapTest.moc"
