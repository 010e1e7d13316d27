#include "app/CScorecardApp.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include "app/CScorecardDlg.h"
#include "app/QtServices.h"
#include "entry/SystemClock.h"

namespace larkspin {

CScorecardApp::CScorecardApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationDisplayName(QStringLiteral("Larkspin"));
  setApplicationVersion(QStringLiteral("1.0"));
  setDesktopFileName(QStringLiteral("larkspin"));
  setWindowIcon(QIcon(QStringLiteral(":/larkspin.svg")));
}

int CScorecardApp::InitInstance() {
  MessageBoxPrompter prompter;
  CalendarDatePicker datePicker;
  DialogWizardWindow wizardWindow;
  SystemDesktopOpener opener;
  SystemClock clock;
  // The program's name titles its questions: the executable's name without extension.
  const std::string appName = QFileInfo(applicationFilePath()).completeBaseName().toStdString();
  CScorecardDlg window(ScorecardServices{prompter, datePicker, wizardWindow, opener, clock,
                                         QDir::currentPath(), appName,
                                         FindHelpPage(applicationDirPath())});
  window.exec();
  return 0;
}

}  // namespace larkspin
