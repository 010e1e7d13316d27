#include "CommandLineScorecard.h"

#include <QGuiApplication>
#include <QSettings>
#include <cstdio>

#include "AllowanceSetting.h"
#include "CommandFolder.h"
#include "DataFolderFiles.h"
#include "PageDrawing.h"
#include "ScorecardCommand.h"
#include "SystemClock.h"

namespace larkspin {

namespace {

int Fail(const std::string& error) {
  std::fprintf(stderr, "larkspin: %s\n", error.c_str());
  return 1;
}

// The format the request names, else the one last chosen in the window.
Allowance RequestedAllowance(const ScorecardRequest& request) {
  if (request.format) return Allowance{*request.format, kHighestAllowance};
  if (request.allowancePercent) return Allowance{kCustomFormat, *request.allowancePercent};
  const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("larkspin"),
                           QStringLiteral("larkspin"));
  return ReadAllowance(&settings);
}

}  // namespace

int RunCommandLineScorecard(const ScorecardRequest& request, const QString& dataDir) {
  // Fonts and a painter need Qt Gui; the offscreen platform gives them without a display. What
  // it says of the session (no runtime folder) is nothing a script's standard error should carry.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      std::fprintf(stderr, "larkspin: %s\n", message.toLocal8Bit().constData());
  });
  int argc = 1;
  char program[] = "larkspin";
  char* argv[] = {program, nullptr};
  const QGuiApplication application(argc, argv);

  CommandFolder folder(dataDir, DataFolderSavedFiles());
  const BlankCard blank =
      LoadBlankCard(request.course, folder, SystemClock().Today(), RequestedAllowance(request));
  if (!blank.card) return Fail(blank.error);
  if (auto own = folder.OwnFile(request.file, request.file.toStdString())) return Fail(*own);
  if (const auto failure = WritePdf(ScorecardJob(*blank.card), request.file, LocalPageSize()))
    return Fail(failure->toStdString() + ". Nothing was written.");
  return 0;
}

}  // namespace larkspin
