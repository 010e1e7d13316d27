#include "StartupFailure.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>

#include "ProgramIcon.h"

namespace larkspin {

namespace {

// Whether a window can be shown: without a display, making the application object would end the
// program on the spot.
bool CanShowWindows() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (!qEnvironmentVariableIsEmpty(name)) return true;
  }
  return false;
#else
  return true;
#endif
}

}  // namespace

int TellStartupFailure(int& argc, char** argv, const QString& message, bool inBox) {
  std::fputs(message.toLocal8Bit().constData(), stderr);
  std::fflush(stderr);
  if (inBox && CanShowWindows()) {
    QApplication app(argc, argv);
    app.setWindowIcon(ProgramIcon());
    QString text = message.trimmed();
    // The box's title names the program already.
    if (const QString prefix = QStringLiteral("larkspin: "); text.startsWith(prefix)) {
      text.remove(0, prefix.size());
      text[0] = text[0].toUpper();
    }
    // Titled as the main window is, which the user expected to see.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Larkspin"), text, QMessageBox::Ok);
    box.exec();
  }
  return 1;
}

}  // namespace larkspin
