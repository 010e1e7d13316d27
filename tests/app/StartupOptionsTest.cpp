// The command line and the data folder, decided before any window exists.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include "StartupOptions.h"
#include "support/FaultInjection.h"

using namespace larkspin;

namespace {

const QString kCurrent = QStringLiteral("/home/golfer/scores");
const QString kUserData = QStringLiteral("/home/golfer/.local/share/larkspin");

StartupOptions Parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("/usr/bin/larkspin"));
  return ParseStartupOptions(arguments, kCurrent, kUserData);
}

QStringList Entries(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

class StartupOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetProgramIdentity(); }

  void parse_dataFolder_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("dataDir");
    QTest::newRow("no option: the current folder") << QStringList() << kCurrent;
    QTest::newRow("--user-data") << QStringList{"--user-data"} << kUserData;
    QTest::newRow("--data-dir absolute") << QStringList{"--data-dir", "/srv/golf"} << "/srv/golf";
    QTest::newRow("--data-dir=, cleaned")
        << QStringList{"--data-dir=/srv/x/../golf/"} << "/srv/golf";
    QTest::newRow("--data-dir relative to the current folder")
        << QStringList{"--data-dir", "club/2024"} << kCurrent + "/club/2024";
    QTest::newRow("Qt's own options pass through to QApplication")
        << QStringList{"-platform", "offscreen", "-style",  "fusion",
                       "-session",  "1a2b_3c",   "-reverse"}
        << kCurrent;
  }
  void parse_dataFolder() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, dataDir);
    const StartupOptions options = Parse(arguments);
    QCOMPARE(options.exitStatus, -1);
    QCOMPARE(options.dataDir, dataDir);
    QVERIFY(options.output.isEmpty());
    QVERIFY(options.errors.isEmpty());
  }

  void parse_helpAndVersion_printAndEndWithoutAFolder_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("printed");
    QTest::newRow("--help") << QStringList{"--help"} << "Usage: larkspin [options]\n";
    QTest::newRow("-h") << QStringList{"-h"} << "--data-dir <folder>";
    QTest::newRow("help beats a mistake") << QStringList{"--bogus", "-h"} << "--user-data";
    QTest::newRow("help beats a data folder")
        << QStringList{"--data-dir", "/nowhere", "--help"} << "Usage: larkspin";
    QTest::newRow("--help lists the exports and imports")
        << QStringList{"--help"} << "--import-courses <file>";
    QTest::newRow("--version") << QStringList{"--version"} << "larkspin " LARKSPIN_VERSION "\n";
    QTest::newRow("-v") << QStringList{"-v"} << "larkspin " LARKSPIN_VERSION "\n";
  }
  void parse_helpAndVersion_printAndEndWithoutAFolder() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, printed);
    const StartupOptions options = Parse(arguments);
    QCOMPARE(options.exitStatus, 0);
    QVERIFY2(options.output.contains(printed), qPrintable(options.output));
    QVERIFY(options.errors.isEmpty());
    QVERIFY(options.dataDir.isEmpty());
  }

  void parse_help_namesTheUserDataFolder() {
    QVERIFY(Parse({"--help"}).output.contains(kUserData));
  }

  // Qt's own options are accepted, not offered.
  void parse_help_listsNoneOfQtsOwnOptions() {
    const QString help = Parse({"--help"}).output;
    const QStringList qtOptions = QStringLiteral(
                                      "platform platformpluginpath platformtheme plugin style "
                                      "stylesheet session display qwindowgeometry geometry "
                                      "qwindowtitle title qwindowicon icon name reverse "
                                      "widgetcount nograb dograb sync")
                                      .split(QLatin1Char(' '));
    for (const QString& name : qtOptions) {
      QVERIFY2(!help.contains(QRegularExpression(QStringLiteral("-%1\\b").arg(name))),
               qPrintable(name));
    }
  }

  void parse_mistakes_endWithStatusTwoAndTheUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("unknown long option") << QStringList{"--bogus"} << "'bogus'";
    QTest::newRow("unknown short option") << QStringList{"-x"} << "'x'";
    QTest::newRow("stray argument") << QStringList{"lks.dat"} << "'lks.dat'";
    QTest::newRow("--data-dir without its folder") << QStringList{"--data-dir"} << "--data-dir";
    QTest::newRow("--data-dir with an empty folder") << QStringList{"--data-dir="} << "--data-dir";
    QTest::newRow("two data folders")
        << QStringList{"--user-data", "--data-dir", "/srv/golf"} << "--user-data";
    QTest::newRow("a flag given a value") << QStringList{"--user-data=/srv"} << "user-data";
    QTest::newRow("an import without its file") << QStringList{"--import-rounds="} << "a file";
    QTest::newRow("an export and an import")
        << QStringList{"--export-rounds", "-", "--import-courses", "c.csv"} << "one export";
    QTest::newRow("--duplicates without an import")
        << QStringList{"--duplicates=add"} << "--duplicates goes with";
  }
  void parse_mistakes_endWithStatusTwoAndTheUsage() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, complaint);
    const StartupOptions options = Parse(arguments);
    QCOMPARE(options.exitStatus, 2);
    QVERIFY(options.output.isEmpty());
    QVERIFY2(options.errors.startsWith("larkspin: "), qPrintable(options.errors));
    const QString firstLine = options.errors.section('\n', 0, 0);
    QVERIFY2(firstLine.contains(complaint), qPrintable(firstLine));
    QVERIFY(options.errors.contains("Usage: larkspin [options]"));
    QVERIFY(options.dataDir.isEmpty());
  }

  void parse_exportOrImport_isRunInsteadOfTheWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("skipDuplicates");
    using Action = ExchangeRequest::Action;
    QTest::newRow("rounds to standard output")
        << QStringList{"--export-rounds", "-"} << int(Action::kExportRounds) << "-" << true;
    QTest::newRow("courses to a file")
        << QStringList{"--export-courses=c.csv"} << int(Action::kExportCourses) << "c.csv" << true;
    QTest::newRow("rounds, duplicates skipped by default")
        << QStringList{"--import-rounds", "r.csv"} << int(Action::kImportRounds) << "r.csv" << true;
    QTest::newRow("courses, duplicates added")
        << QStringList{"--import-courses", "-", "--duplicates", "add"}
        << int(Action::kImportCourses) << "-" << false;
  }
  void parse_exportOrImport_isRunInsteadOfTheWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, file);
    QFETCH(bool, skipDuplicates);
    const StartupOptions options = Parse(arguments + QStringList{"--data-dir", "/srv/golf"});
    QCOMPARE(options.exitStatus, -1);
    QCOMPARE(options.dataDir, QStringLiteral("/srv/golf"));
    QVERIFY(options.exchange);
    QCOMPARE(int(options.exchange->action), action);
    QCOMPARE(options.exchange->file, file);
    QCOMPARE(options.exchange->skipDuplicates, skipDuplicates);
  }

  void parse_userDataWithoutAHome_endsWithStatusTwo() {
    const StartupOptions options =
        ParseStartupOptions({"larkspin", "--user-data"}, kCurrent, QString());
    QCOMPARE(options.exitStatus, 2);
    QVERIFY(options.errors.contains("data folder"));
    QVERIFY(options.dataDir.isEmpty());
  }

  void prepare_existingFolder_isUsedAndLeftAsItWas() {
    QTemporaryDir dir;
    QFile file(dir.filePath("lks.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(PrepareDataFolder(dir.path()), QString());
    QCOMPARE(Entries(dir.path()), QStringList{"lks.dat"});
  }

  void prepare_missingFolder_isCreatedWithItsParents() {
    QTemporaryDir dir;
    const QString data = dir.filePath("golf/2024/data");
    QCOMPARE(PrepareDataFolder(data), QString());
    QVERIFY(QFileInfo(data).isDir());
    QCOMPARE(Entries(data), QStringList());
  }

  void prepare_regularFile_isRefusedAndKept() {
    QTemporaryDir dir;
    const QString path = dir.filePath("lks.dat");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("COURSE=Pine\r\n");
    file.close();
    const QString problem = PrepareDataFolder(path);
    QVERIFY2(problem.contains(path) && problem.contains("is a file"), qPrintable(problem));
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(QFileInfo(path).size(), 13);
  }

  void prepare_folderThatCannotBeCreated_isRefused() {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath("file/data");
    const QString problem = PrepareDataFolder(path);
    QVERIFY2(problem.startsWith("larkspin: cannot create the data folder " + path + ": "),
             qPrintable(problem));
    QVERIFY(QFileInfo(blocker.fileName()).isFile());
  }

  // The reasons are the system's: a folder that cannot be looked at is not "a file".
  void prepare_folderThatCannotBeLookedAt_isRefusedWithTheReason_data() {
    QTest::addColumn<int>("error");
    QTest::newRow("EIO") << EIO;
    QTest::newRow("EACCES") << EACCES;
  }
  void prepare_folderThatCannotBeLookedAt_isRefusedWithTheReason() {
    QFETCH(int, error);
    QTemporaryDir dir;
    testing::FaultInjector inject(1, error, {"stat"});
    const QString problem = PrepareDataFolder(dir.path());
    QCOMPARE(problem, QStringLiteral("larkspin: cannot use the data folder %1: %2.\n")
                          .arg(dir.path(), QString::fromLocal8Bit(std::strerror(error))));
  }

  // Bytes that are not UTF-8 read as U+FFFD: that name would make and use another folder.
  void prepare_nameThatWasNotUtf8_isRefusedAndNothingMade() {
    QTemporaryDir dir;
    const QString path = QFile::decodeName(QFile::encodeName(dir.path()) + "/caf\xE9");
    const QString problem = PrepareDataFolder(path);
    QVERIFY2(
        problem.startsWith("larkspin: the name of the data folder " + path + " is not valid UTF-8"),
        qPrintable(problem));
    QCOMPARE(Entries(dir.path()), QStringList());
  }

  void prepare_folderThatCannotBeWritten_isRefusedAndLeftAsItWas() {
    QTemporaryDir dir;
    QString path = dir.filePath("read-only");
    QVERIFY(QDir().mkdir(path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
    // The administrator writes in any folder; the kernel's own file system takes nothing new.
    if (QTemporaryDir(path + "/probe-XXXXXX").isValid()) path = QStringLiteral("/proc");
    if (!QFileInfo(path).isDir()) QSKIP("no folder here refuses this user a new file");
    const QString problem = PrepareDataFolder(path);
    QVERIFY2(problem.startsWith("larkspin: cannot write in the data folder " + path + ": "),
             qPrintable(problem));
    QCOMPARE(Entries(path).filter(".larkspin"), QStringList());
    QFile::setPermissions(dir.filePath("read-only"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
};

QTEST_GUILESS_MAIN(StartupOptionsTest)
#include "StartupOptionsTest.moc"
