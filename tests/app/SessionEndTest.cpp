// The session ends in other ways than "Quit": signals, the session manager, a display that goes
// away, a second copy started in the same folder. Nothing typed into the tables is lost, and a
// second copy touches nothing.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <optional>

#include "CScorecardDlg.h"
#include "DataFolderLock.h"
#include "HoleBox.h"
#include "QtServices.h"
#include "SessionGuard.h"
#include "TrendsWindow.h"
#include "support/FakeServices.h"
#include "support/Files.h"

using namespace larkspin;
using larkspin::testing::ReadFile;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WithReal;
using larkspin::testing::WriteFile;

namespace {

// Asks with a real modal box, as the program does, so that a signal can arrive while it waits.
class ModalPrompter final : public Prompter {
 public:
  void ShowMessage(std::string_view text, std::string_view title) override {
    MessageBoxPrompter().ShowMessage(text, title);
  }
  bool AskYesNo(std::string_view text, std::string_view title) override {
    ++asked;
    return MessageBoxPrompter().AskYesNo(text, title);
  }
  bool AskYesNoDefaultNo(std::string_view text, std::string_view title) override {
    return MessageBoxPrompter().AskYesNoDefaultNo(text, title);
  }
  int Choose(std::string_view text, std::string_view title,
             const std::vector<std::string_view>& buttons, int defaultButton = 0) override {
    return MessageBoxPrompter().Choose(text, title, buttons, defaultButton);
  }
  int asked = 0;
};

// A courses.dat with LF line ends: the program writes CR LF, so a CR in the file shows that it
// was saved.
const QByteArray kLfCourses = "CREATOR=LARKSP 1.0\nCOURSE=Oak Hills\nDATE=\nS1=4\n";

// Sets an environment variable for as long as it lives, then puts back what was there.
class EnvironmentSetting {
 public:
  EnvironmentSetting(const char* name, const QString& value)
      : name_(name), wasSet_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, QFile::encodeName(value));
  }
  ~EnvironmentSetting() {
    if (wasSet_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }
  EnvironmentSetting(const EnvironmentSetting&) = delete;
  EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;

 private:
  const char* name_;
  bool wasSet_;
  QByteArray old_;
};

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > milliseconds) return false;
    QTest::qWait(20);
  }
  return true;
}

}  // namespace

class SessionEndTest : public QObject {
  Q_OBJECT

 private slots:
  // This process and the programs it starts have a home and a temporary folder of their own, for
  // what Qt and the program keep there (the file dialog's and the window's settings, a socket
  // left by a program that did not end by itself): they go with them.
  void initTestCase() {
    QVERIFY(own_.isValid());
    QVERIFY(QDir(own_.path()).mkdir(QStringLiteral("tmp")));
    home_.emplace("HOME", own_.path());
    temporary_.emplace("TMPDIR", own_.filePath(QStringLiteral("tmp")));
  }
  void cleanupTestCase() {
    temporary_.reset();
    home_.reset();
  }

  void init() { harness_ = std::make_unique<ScorecardHarness>(); }
  void cleanup() {
    guard_.reset();
    window_.reset();
    harness_.reset();
  }

  void signal_closesWindowAsQuitAndSavesBothFiles_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
  }
  void signal_closesWindowAsQuitAndSavesBothFiles() {
    QFETCH(int, signal);
    auto& w = Open(harness_->services);
    AddRoundAndCourse(w, QStringLiteral("Birch"));
    QVERIFY(::raise(signal) == 0);
    QTRY_VERIFY(!w.isVisible());
    QVERIFY(ReadFile(harness_->FilePath("lks.dat")).contains("COURSE=Birch\r\n"));
    QVERIFY(ReadFile(harness_->FilePath("courses.dat")).contains("COURSE=Birch\r\n"));
  }

  void signalWhileAQuestionWaits_answersNoThenSaves() {
    ModalPrompter prompter;
    const ScorecardServices modal = WithReal(harness_->services, {.prompter = &prompter});
    auto& w = Open(modal);
    AddRoundAndCourse(w, QStringLiteral("Birch"));
    // The same round again: the duplicate question waits in a modal box.
    QTimer::singleShot(200, [] { ::raise(SIGTERM); });
    QTest::mouseClick(w.Widgets().addScore, Qt::LeftButton);
    QCOMPARE(prompter.asked, 1);
    QTRY_VERIFY(!w.isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    const QByteArray saved = ReadFile(harness_->FilePath("lks.dat"));
    QCOMPARE(saved.count("COURSE=Birch\r\n"), 1);
  }

  // A signal with a file chooser open (Import, Export onto a new or an existing file, Save Chart)
  // closes it as Cancel: the window saves and ends, and the chooser writes nothing.
  void signalWhileAFileChooserIsOpen_cancelsItThenSaves_data() {
    QTest::addColumn<int>("chooser");
    QTest::newRow("Import Rounds") << 0;
    QTest::newRow("Export Rounds") << 1;
    QTest::newRow("Export Rounds over a file") << 2;
    QTest::newRow("Save Chart") << 3;
  }
  void signalWhileAFileChooserIsOpen_cancelsItThenSaves() {
    QFETCH(int, chooser);
    QTemporaryDir home;
    const EnvironmentSetting choosersOpenThere("HOME", home.path());
    if (chooser == 2) QVERIFY(WriteFile(home.filePath(QStringLiteral("rounds.csv")), "old"));
    DialogFileChooser files;
    const ScorecardServices real = WithReal(harness_->services, {.fileChooser = &files});
    auto& w = Open(real);
    AddRoundAndCourse(w, QStringLiteral("Birch"));
    const QStringList before = QDir(home.path()).entryList(QDir::Files);
    QTimer::singleShot(300, [] { ::raise(SIGTERM); });
    switch (chooser) {
      case 0:
        w.MenuBar().importRounds->trigger();
        break;
      case 1:
      case 2:
        w.MenuBar().exportRounds->trigger();
        break;
      default:
        w.OpenTrends();
        for (auto* button : w.findChild<TrendsWindow*>()->findChildren<QPushButton*>()) {
          if (button->text().startsWith(QStringLiteral("Save Chart"))) {
            button->click();
            break;
          }
        }
    }
    QTRY_VERIFY(!w.isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(ReadFile(harness_->FilePath("lks.dat")).contains("COURSE=Birch\r\n"));
    QCOMPARE(QDir(home.path()).entryList(QDir::Files), before);
    QCOMPARE(
        QDir(harness_->dir.path())
            .entryList({QStringLiteral("*.png"), QStringLiteral("*.svg"), QStringLiteral("*.csv")}),
        QStringList());
    if (chooser == 2) QCOMPARE(ReadFile(home.filePath(QStringLiteral("rounds.csv"))), "old");
  }

  void signalWhileTheWizardIsOpen_endsItAndCloses() {
    DialogWizardWindow wizard;
    const ScorecardServices real = WithReal(harness_->services, {.wizardWindow = &wizard});
    auto& w = Open(real);
    AddRoundAndCourse(w, QStringLiteral("Birch"));
    QTimer::singleShot(200, [] { ::raise(SIGTERM); });
    QTest::mouseClick(w.Widgets().wizard, Qt::LeftButton);  // returns when the run has ended
    QVERIFY(!w.isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(ReadFile(harness_->FilePath("lks.dat")).contains("COURSE=Birch\r\n"));
  }

  void exitHandler_savesFromTheTablesWithoutTheWindowClosing() {
    auto& w = Open(harness_->services);
    AddRoundAndCourse(w, QStringLiteral("Birch"));
    w.Widgets().holes[0]->strokes->setText(QStringLiteral("typed"));
    SessionGuard::SaveAtExit();
    QVERIFY(ReadFile(harness_->FilePath("lks.dat")).contains("COURSE=Birch\r\n"));
    QVERIFY(ReadFile(harness_->FilePath("courses.dat")).contains("COURSE=Birch\r\n"));
    QCOMPARE(w.Widgets().holes[0]->strokes->text(), QStringLiteral("typed"));
    SessionGuard::SaveAtExit();  // once only
    QVERIFY(harness_->prompter.messages.empty());
  }

  void sessionManagerCommit_savesAndKeepsTheWindowAsItIs() {
    auto& w = Open(harness_->services);
    AddRoundAndCourse(w, QStringLiteral("Birch"));
    w.Widgets().holes[0]->strokes->setText(QStringLiteral("typed"));
    QVERIFY(w.OnEndSession([] { return true; }));
    QVERIFY(ReadFile(harness_->FilePath("lks.dat")).contains("COURSE=Birch\r\n"));
    QVERIFY(w.isVisible());
    QCOMPARE(w.Widgets().holes[0]->strokes->text(), QStringLiteral("typed"));
  }

  // The program itself, as the desktop runs it.
  void realProgram_SIGTERM_savesBeforeItEnds() {
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("courses.dat"), kLfCourses));
    QProcess program;
    Start(program, dir.path());
    QVERIFY(WaitFor([&] { return QFile::exists(dir.filePath("lks.dat")); }));
    program.terminate();  // SIGTERM
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(ReadFile(dir.filePath("courses.dat")).contains("COURSE=Oak Hills\r\n"));
    QVERIFY(!QFile::exists(dir.filePath(".larkspin.lock")));
  }

  void realProgram_secondCopyInSameFolder_saysSoAndTouchesNoFile() {
    QTemporaryDir dir;
    DataFolderLock first(dir.path());
    QCOMPARE(first.TryLock(), DataFolderLock::Outcome::kLocked);
    QProcess second;
    Start(second, dir.path());
    // It tells on standard error too, then waits on its box.
    QVERIFY(WaitFor([&] { return second.readAllStandardError().contains("already open"); }));
    second.kill();
    second.waitForFinished();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral(".larkspin.lock")});
  }

  // The X server ends under the program, as it does at logout: Qt's platform plugin ends the
  // process with exit(1), and both files are saved first.
  void realProgram_displayGoingAway_savesBeforeItEnds() {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) QSKIP("Xvfb is not installed");
    QProcess server;
    server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QVERIFY(WaitFor([&] { return server.canReadLine(); }, 10000));
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());

    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("courses.dat"), kLfCourses));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    Start(program, dir.path());
    QVERIFY(WaitFor([&] { return QFile::exists(dir.filePath("lks.dat")); }));
    QTest::qWait(500);  // the window is up and the event loop runs

    server.terminate();
    server.waitForFinished();
    QVERIFY(program.waitForFinished(20000));
    QVERIFY2(ReadFile(dir.filePath("courses.dat")).contains("COURSE=Oak Hills\r\n"),
             program.readAllStandardError().constData());
  }

 private:
  CScorecardDlg& Open(const ScorecardServices& services) {
    guard_ = std::make_unique<SessionGuard>();
    window_ = std::make_unique<CScorecardDlg>(services);
    guard_->Watch(window_.get());
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qWarning("window not shown");
    return *window_;
  }

  static void AddRoundAndCourse(CScorecardDlg& w, const QString& course) {
    w.Widgets().course->setEditText(course);
    QTest::mouseClick(w.Widgets().addCourse, Qt::LeftButton);
    QTest::mouseClick(w.Widgets().addScore, Qt::LeftButton);
  }

  static void Start(QProcess& program, const QString& folder) {
    program.setWorkingDirectory(folder);
    program.start(QStringLiteral(LARKSPIN_PROGRAM), {});
    QVERIFY(program.waitForStarted());
  }

  QTemporaryDir own_;
  std::optional<EnvironmentSetting> home_;
  std::optional<EnvironmentSetting> temporary_;
  std::unique_ptr<ScorecardHarness> harness_;
  std::unique_ptr<SessionGuard> guard_;
  std::unique_ptr<CScorecardDlg> window_;
};

QTEST_MAIN(SessionEndTest)
#include "SessionEndTest.moc"
