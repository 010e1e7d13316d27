// Linked into a program started by larkspin_launch_bench: when the program's table view (the
// round list, or the yardstick's table) has painted for the first time, the probe prints the
// moment on standard output as "shown <nanoseconds of CLOCK_MONOTONIC>", then closes that window
// as its close box would, so the program ends the way it ends for the user. As the process ends,
// it prints its peak resident memory as "peak <bytes>" (the parent's rusage cannot tell it: a
// process started by posix_spawn inherits the parent's peak).
//
// With LARKSPIN_PROBE_PRESS set to a button's caption, the probe first types
// LARKSPIN_PROBE_COURSE into the course selector and presses that button, printing "press" and
// "done" with the nanoseconds of CLOCK_REALTIME before the press and once it has been handled,
// then presses "Clear" so that the window closes without asking about the course typed in.

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

void PrintClock(const char* what, clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  std::printf("%s %lld\n", what, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
}

// The button captioned `caption` pressed, after the course selector was given `course`.
void Press(QWidget& window, const QString& caption, const QString& course) {
  for (auto* box : window.findChildren<QComboBox*>()) {
    if (box->accessibleName() == QStringLiteral("Course")) box->setEditText(course);
  }
  for (auto* button : window.findChildren<QPushButton*>()) {
    if (button->text().remove(QLatin1Char('&')) != caption) continue;
    PrintClock("press", CLOCK_REALTIME);
    button->click();
    PrintClock("done", CLOCK_REALTIME);
    break;
  }
  // The course typed in is a round not added: the window would ask about it before closing.
  for (auto* button : window.findChildren<QPushButton*>()) {
    if (button->text().remove(QLatin1Char('&')) == QStringLiteral("Clear")) button->click();
  }
}

class LaunchProbe final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (seen_ || event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    auto* viewport = static_cast<QWidget*>(watched);
    auto* view = qobject_cast<QAbstractItemView*>(viewport->parentWidget());
    if (!view || view->viewport() != viewport) return false;
    seen_ = true;
    // The paint goes on after this event, and the window reaches its backing store after that:
    // the moment is taken once control is back in the event loop.
    QPointer<QWidget> window = view->window();
    QTimer::singleShot(0, this, [window] {
      PrintClock("shown", CLOCK_MONOTONIC);
      const QString press = qEnvironmentVariable("LARKSPIN_PROBE_PRESS");
      if (window && !press.isEmpty())
        Press(*window, press, qEnvironmentVariable("LARKSPIN_PROBE_COURSE"));
      if (window) window->close();
    });
    return false;
  }

 private:
  bool seen_ = false;
};

void PrintPeakResident() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmHWM:") {
      long long kilobytes = 0;
      if (status >> kilobytes) std::printf("peak %lld\n", kilobytes * 1024);
      break;
    }
  }
  std::fflush(stdout);
}

void InstallLaunchProbe() {
  std::atexit(PrintPeakResident);
  QCoreApplication::instance()->installEventFilter(new LaunchProbe(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallLaunchProbe)
