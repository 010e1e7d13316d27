// `larkspin --handicap`: the real program, with no display, on a golfer whose scoring record was
// worked out apart from the program.
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
    QTest::addColumn<QString>("file");
    QTest::newRow("standard output") << QStringLiteral("-");
    QTest::newRow("a file") << QStringLiteral("record.csv");
  }
  void handicap_writesTheGolfersRecord() {
    QFETCH(QString, file);
    const QString golfer = QStringLiteral(LARKSPIN_TEST_DATA "/handicap/");
    QTemporaryDir data;
    for (const char* name : {"courses.dat", "ratings.dat"}) {
      QVERIFY(
          WriteFile(data.filePath(QLatin1String(name)), ReadFile(golfer + QLatin1String(name))));
    }
    // The program reads the computer's clock: the round dated 2025-07-01, after the day the
    // record was worked out on, is left out.
    QByteArray rounds = ReadFile(golfer + QStringLiteral("lks.dat"));
    const qsizetype future = rounds.indexOf("\r\nCOURSE=Heron Lakes\r\nDATE=2025-07-01");
    QVERIFY(future > 0);
    rounds.truncate(future);
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
    QCOMPARE(csv, ReadFile(golfer + QStringLiteral("record.csv")));
    QVERIFY(!QFile::exists(data.filePath(QStringLiteral("ratings.dat.unread"))));
  }
};

QTEST_GUILESS_MAIN(CommandLineHandicapTest)
#include "CommandLineHandicapTest.moc"
