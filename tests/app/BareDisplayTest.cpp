// The program on an X display without a window manager, as in a kiosk or an automation session:
// an Xvfb of the test's own, driven through the X server with xdotool. Skipped where either is
// missing.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>
#include <string>

#include "CScorecardDlg.h"
#include "CWizardDlg.h"
#include "HoleBox.h"
#include "QtServices.h"
#include "support/FakeServices.h"

using namespace larkspin;
using larkspin::testing::ScorecardHarness;
using larkspin::testing::WithReal;

namespace {

// The display repeats a held key after this many milliseconds: long enough for the test to end
// the wizard's run before the first repeat, whatever the machine's load.
constexpr int kRepeatDelay = 1000;

// Xvfb on a free display number, without a window manager; it ends with the test program.
class Xvfb {
 public:
  Xvfb() {
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    int pipeEnds[2];
    if (server.isEmpty() || pipe(pipeEnds) != 0) return;
    const std::string program = server.toStdString();
    const std::string displayFd = std::to_string(pipeEnds[1]);
    const std::string delay = std::to_string(kRepeatDelay);
    pid_ = fork();
    if (pid_ == 0) {
      close(pipeEnds[0]);
      execl(program.c_str(), "Xvfb", "-displayfd", displayFd.c_str(), "-nolisten", "tcp",
            "-ardelay", delay.c_str(), "-arinterval", "40", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeEnds[1]);
    std::string number;
    char c;
    while (pid_ > 0 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
      number += c;
    close(pipeEnds[0]);
    if (number.empty()) return;
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  ~Xvfb() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  bool Running() const { return !display_.empty(); }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

void Xdotool(const QStringList& arguments) {
  QProcess::execute(QStringLiteral("xdotool"), arguments);
}

QStringList PointerAt(const QWidget* widget) {
  const QPoint at = widget->mapToGlobal(widget->rect().center());
  return {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())};
}

// Counts the showings of the wizard's window.
class WizardShowings : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && qobject_cast<CWizardDlg*>(watched)) ++count;
    return false;
  }
  int count = 0;
};

}  // namespace

class BareDisplayTest : public QObject {
  Q_OBJECT

 public:
  explicit BareDisplayTest(bool display) : display_(display) {}

 private slots:
  void initTestCase() {
    if (!display_) QSKIP("Xvfb is not installed");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      QSKIP("xdotool is not installed");
  }

  // A key pressed in the wizard ends its run (Return, its OK) or shows the hole again (Escape,
  // then its OK ends the run) and is held: the display repeats it into the main window below,
  // where Escape would close the window and Return press the focused button.
  void keyHeldFromTheWizard_doesNothingInTheMainWindow_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("showings");
    QTest::newRow("Return") << "Return" << 1;
    QTest::newRow("Escape") << "Escape" << 2;
  }
  void keyHeldFromTheWizard_doesNothingInTheMainWindow() {
    QFETCH(QString, key);
    QFETCH(int, showings);
    ScorecardHarness harness;
    DialogWizardWindow wizardWindow;
    CScorecardDlg window(WithReal(harness.services, {.wizardWindow = &wizardWindow}));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Widgets().holes[1]->strokes->setText(QStringLiteral("7"));  // not added yet
    // Once the wizard is gone the keyboard belongs to no window, and keys go to the one under
    // the pointer.
    Xdotool(PointerAt(window.Widgets().wizard));

    WizardShowings shown;
    qApp->installEventFilter(&shown);
    int shownAtKeyDown = -1;
    QElapsedTimer waited;
    waited.start();
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
      auto* wizard = qobject_cast<CWizardDlg*>(QApplication::activeModalWidget());
      if (!wizard || !wizard->isActiveWindow()) return;
      if (waited.elapsed() > 20000) {  // the key never came: end the run, the test fails
        QTest::mouseClick(wizard->Widgets().ok, Qt::LeftButton);
      } else if (shownAtKeyDown < 0) {
        shownAtKeyDown = shown.count;
        Xdotool({QStringLiteral("keydown"), key});
      } else if (shown.count > shownAtKeyDown) {
        QTest::mouseClick(wizard->Widgets().ok, Qt::LeftButton);
      }
    });
    driver.start(20);
    QTest::mouseClick(window.Widgets().wizard, Qt::LeftButton);  // returns when the run has ended
    driver.stop();
    QVERIFY(waited.elapsed() <= 20000);
    QTest::qWait(kRepeatDelay + 600);  // the repeats reach the main window
    Xdotool({QStringLiteral("keyup"), key});
    QTest::qWait(100);

    QVERIFY(window.isVisible());
    QCOMPARE(shown.count, showings);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(window.Widgets().holes[1]->strokes->text(), QStringLiteral("7"));
  }

 private:
  bool display_;
};

int main(int argc, char** argv) {
  // The display must be there before the application connects to it.
  const Xvfb display;
  QApplication app(argc, argv);
  BareDisplayTest test(display.Running());
  return QTest::qExec(&test, argc, argv);
}

#include "BareDisplayTest.moc"
