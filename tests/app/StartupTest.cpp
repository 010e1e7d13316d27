// The program as it starts: the real executable on a command line with no display, and the
// application object running its window on the data folder it was given.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "CScorecardApp.h"
#include "DataFolderLock.h"
#include "FrontRequest.h"
#include "StartupOptions.h"

namespace {

struct Run {
  int exitStatus = -1;
  QString output;
  QString errors;
};

QStringList Entries(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 public:
  StartupTest(larkspin::CScorecardApp& app, QString dataDir)
      : app_(app), dataDir_(std::move(dataDir)) {}

 private slots:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    current_ = std::make_unique<QTemporaryDir>();
  }
  // The folder a shell made under a name that is not UTF-8: Qt cannot name it, so the temporary
  // folder around it would stay.
  void cleanup() {
#ifdef Q_OS_UNIX
    ::rmdir((QFile::encodeName(current_->path()) + "/caf\xE9").constData());
#endif
  }

  void helpAndVersion_needNoDisplayAndTouchNoFile_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("printed");
    QTest::newRow("--help") << QStringList{"--help"} << "Usage: larkspin [options]";
    QTest::newRow("--version") << QStringList{"--version"} << "larkspin " LARKSPIN_VERSION "\n";
    QTest::newRow("--help with a folder to create")
        << QStringList{"--data-dir", "new-folder", "--help"} << "--user-data";
    QTest::newRow("--version with the user's folder")
        << QStringList{"--user-data", "--version"} << "larkspin ";
  }
  void helpAndVersion_needNoDisplayAndTouchNoFile() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, printed);
    const Run run = RunProgram(arguments);
    QCOMPARE(run.exitStatus, 0);
    QVERIFY2(run.output.contains(printed), qPrintable(run.output));
    QCOMPARE(run.errors, QString());
    QCOMPARE(Entries(home_->path()), QStringList());
    QCOMPARE(Entries(current_->path()), QStringList());
  }

  // 2 for a command line that cannot be understood, 1 for a folder that cannot be used.
  void mistakes_endWithTheirStatusBeforeAnyWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("complaint");
    QTest::addColumn<int>("status");
    QTest::newRow("unknown option") << QStringList{"--bogus"} << "Usage: larkspin [options]" << 2;
    QTest::newRow("a file for a folder")
        << QStringList{"--data-dir", "lks.dat"} << "is a file" << 1;
    QTest::newRow("a folder that cannot be created")
        << QStringList{"--data-dir", "lks.dat/golf"} << "cannot create the data folder" << 1;
  }
  void mistakes_endWithTheirStatusBeforeAnyWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, complaint);
    QFETCH(int, status);
    QFile file(current_->filePath("lks.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    // No display at all: the program ends on the mistake before it would need one.
    const Run run = RunProgram(arguments);
    QCOMPARE(run.exitStatus, status);
    QCOMPARE(run.output, QString());
    QVERIFY2(run.errors.startsWith("larkspin: ") && run.errors.contains(complaint),
             qPrintable(run.errors));
    QCOMPARE(Entries(current_->path()), QStringList{"lks.dat"});
  }

  // Only a shell hands the program a name that is not UTF-8: QProcess takes text.
  void folderNameThatIsNotUtf8_isRefusedAndNoOtherFolderMade_data() {
    QTest::addColumn<QString>("script");
    const QString name = QStringLiteral(R"sh(name="$(printf 'caf\351')"; )sh");
    QTest::newRow("started in it") << name + R"sh(mkdir "$name" && cd "$name" && exec "$0")sh";
    QTest::newRow("--data-dir") << name + R"sh(exec "$0" --data-dir "$name")sh";
  }
  void folderNameThatIsNotUtf8_isRefusedAndNoOtherFolderMade() {
    QFETCH(QString, script);
    const Run run = RunProgram({}, script);
    QCOMPARE(run.exitStatus, 1);
    QVERIFY2(run.errors.contains("is not valid UTF-8"), qPrintable(run.errors));
    // At most the folder the shell made; none named with U+FFFD in its place.
    QVERIFY(Entries(current_->path()).size() <= 1);
  }

  // Started from the menu, nobody reads standard error: with a display, a box tells it too, and
  // the program waits on it.
  void unusableDataFolderWithADisplay_isToldInABoxToo() {
    QFile file(current_->filePath("lks.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QProcess process;
    Start(process, {"--data-dir", "lks.dat"}, /*display=*/true);
    QByteArray errors;
    QTRY_VERIFY((errors += process.readAllStandardError()).contains("is a file, not a folder"));
    QVERIFY(!process.waitForFinished(1000));
    process.kill();
    process.waitForFinished();
  }

  void desktopFileName_isTheLauncherName() {
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(LARKSPIN_APP_ID));
  }

  // The window of a first copy comes to the front through the folder's socket, and the box that
  // tells the second copy why it ends is titled as that window.
  void secondCopy_bringsTheFirstWindowToTheFrontAndSaysWhyItEnds() {
    larkspin::DataFolderLock first(dataDir_);
    QCOMPARE(first.TryLock(), larkspin::DataFolderLock::Outcome::kLocked);
    int requests = 0;
    const larkspin::FrontRequestServer firstWindow(dataDir_, [&requests] { ++requests; });
    QString title;
    QTimer user;
    connect(&user, &QTimer::timeout, [&title] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        title = box->windowTitle();
        box->close();
      }
    });
    user.start(10);
    QCOMPARE(app_.InitInstance(), 1);
    QCOMPARE(title, QStringLiteral("Larkspin"));
    QTRY_COMPARE(requests, 1);
  }

  void window_readsAndWritesInTheDataFolderOnly() {
    QFile rounds(dataDir_ + "/lks.dat");
    QVERIFY(rounds.open(QIODevice::WriteOnly));
    rounds.write("CREATOR=LARKSP 1.0\r\nCOURSE=Pine Hills\r\nDATE=2024-05-01\r\nS1=4\r\n");
    rounds.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(current_->path());
    // Closing the window the way a user does saves both files.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [] {
      if (QWidget* window = QApplication::activeModalWidget()) window->close();
    });
    closer.start(10);
    QCOMPARE(app_.InitInstance(), 0);
    QDir::setCurrent(before);
    QCOMPARE(Entries(current_->path()), QStringList());
    QVERIFY(QFile::exists(dataDir_ + "/courses.dat"));
    QVERIFY(rounds.open(QIODevice::ReadOnly));
    QVERIFY(rounds.readAll().contains("COURSE=Pine Hills\r\nDATE=2024-05-01\r\nS1=4\r\n"));
  }

 private:
  // Starts the built program in the empty current folder, with an empty home and no display
  // (or only Qt's offscreen one).
  void Start(QProcess& process, const QStringList& arguments, bool display = false,
             const QString& shell = {}) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME",
                             "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
      environment.remove(QString::fromLatin1(name));
    }
    if (display) environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", home_->path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(current_->path());
    process.start(shell.isEmpty() ? QStringLiteral(LARKSPIN_PROGRAM) : shell, arguments);
  }

  // Runs the program, or a shell `script` that runs it as "$0".
  Run RunProgram(const QStringList& arguments, const QString& script = {}) const {
    QProcess process;
    if (script.isEmpty()) {
      Start(process, arguments);
    } else {
      Start(process, {QStringLiteral("-c"), script, QStringLiteral(LARKSPIN_PROGRAM)}, false,
            QStringLiteral("/bin/sh"));
    }
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
      process.kill();
      return run;
    }
    run.exitStatus = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
  }

  larkspin::CScorecardApp& app_;
  QString dataDir_;
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<QTemporaryDir> current_;
};

// The application object under test is the test program's own.
int main(int argc, char** argv) {
  QTemporaryDir dataDir;
  larkspin::SetProgramIdentity();
  larkspin::CScorecardApp app(argc, argv, dataDir.path());
  StartupTest test(app, dataDir.path());
  return QTest::qExec(&test, argc, argv);
}

#include "StartupTest.moc"
