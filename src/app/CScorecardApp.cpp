#include "app/CScorecardApp.h"

#include <QFileInfo>
#include <QIcon>
#include <utility>

#include "app/CScorecardDlg.h"
#include "app/QtServices.h"
#include "entry/SystemClock.h"

namespace larkspin {

CScorecardApp::CScorecardApp(int& argc, char** argv, QString dataDir)
    : QApplication(argc, argv), dataDir_(std::move(dataDir)) {
  setApplicationDisplayName(QStringLiteral("Larkspin"));
  // The launcher's name: the desktop matches the window to its menu entry and icon by it.
  setDesktopFileName(QStringLiteral(LARKSPIN_APP_ID));
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
                                         dataDir_, appName, FindHelpPage(applicationDirPath())});
  window.exec();
  return 0;
}

}  // namespace larkspin
