#include "CScorecardApp.h"

#include <QFileInfo>
#include <QIcon>
#include <QSettings>
#include <cstdio>
#include <utility>

#include "CScorecardDlg.h"
#include "DataFolderFiles.h"
#include "DataFolderLock.h"
#include "DiskFile.h"
#include "FrontRequest.h"
#include "ProgramIcon.h"
#include "QtServices.h"
#include "ReportWalk.h"
#include "RoundFile.h"
#include "SessionGuard.h"
#include "SystemClock.h"
#include "WindowPlacement.h"

namespace larkspin {

CScorecardApp::CScorecardApp(int& argc, char** argv, QString dataDir)
    : QApplication(argc, argv), dataDir_(std::move(dataDir)) {
  // No application display name is set: on Linux, Qt would append it to every dialog's title.
  // The launcher's name: the desktop matches the window to its menu entry and icon by it.
  setDesktopFileName(QStringLiteral(LARKSPIN_APP_ID));
  setWindowIcon(ProgramIcon());
}

int CScorecardApp::InitInstance() {
  MessageBoxPrompter prompter;
  CalendarDatePicker datePicker;
  DialogWizardWindow wizardWindow;
  SystemDesktopOpener opener;
  SystemClock clock;
  DialogFileChooser fileChooser;
  DialogRatingsEditor ratingsEditor(prompter);
  // The program's name titles its questions: the executable's name without extension.
  const std::string appName = QFileInfo(applicationFilePath()).completeBaseName().toStdString();

  // A second copy leaves both files alone, unread and unwritten; so does one that cannot lock.
  DataFolderLock lock(dataDir_);
  if (const auto outcome = lock.TryLock(); outcome != DataFolderLock::Outcome::kLocked) {
    const std::string message = outcome == DataFolderLock::Outcome::kHeldElsewhere
                                    ? AlreadyOpenMessage(dataDir_)
                                    : LockUnavailableMessage(dataDir_, lock.Reason());
    std::fprintf(stderr, "%s\n",
                 QString::fromStdString(message).replace("\r\n", " ").toLocal8Bit().constData());
    // The window open on the folder comes to the front, and the box over it says why this copy
    // ends; titled as the main window is, which the user expected to see.
    if (outcome == DataFolderLock::Outcome::kHeldElsewhere) RequestFront(dataDir_);
    prompter.ShowMessage(message, "Larkspin");
    return 1;
  }
  RemoveLeftoverTemporaries(dataDir_, DataFolderSavedFiles(), lock.FilePath());

  SessionGuard guard;
  // In the user's own configuration folder, never among the data files.
  QSettings placement(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("larkspin"),
                      QStringLiteral("larkspin"));
  CScorecardDlg window(ScorecardServices{.prompter = prompter,
                                         .datePicker = datePicker,
                                         .wizardWindow = wizardWindow,
                                         .opener = opener,
                                         .clock = clock,
                                         .fileChooser = fileChooser,
                                         .ratingsEditor = ratingsEditor,
                                         .workDir = dataDir_,
                                         .appName = appName,
                                         .helpPage = FindHelpPage(applicationDirPath()),
                                         .journal = true},
                       &placement);
  const FrontRequestServer front(dataDir_, [&window] { BringToFront(window); });
  guard.Watch(&window);
  window.exec();
  return 0;
}

}  // namespace larkspin
