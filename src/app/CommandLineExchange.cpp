#include "CommandLineExchange.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "CommandFolder.h"
#include "DataFolderFiles.h"
#include "HandicapCommand.h"
#include "NextRoundCommand.h"
#include "StandardStreams.h"
#include "SystemClock.h"

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace larkspin {

int RunCommandLineExchange(const ExchangeRequest& request, const QString& dataDir) {
#ifdef Q_OS_WIN
  // CSV goes through as bytes: CR LF stays CR LF.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fflush(stdout);
  QFile input;
  QFile output;
  input.open(fileno(stdin), QIODevice::ReadOnly | QIODevice::Unbuffered);
  output.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
  CommandFolder folder(dataDir, DataFolderSavedFiles());
  ExchangeOutcome outcome =
      request.action == ExchangeRequest::Action::kHandicap
          ? RunHandicapExport(request.file, folder, SystemClock().Today(), output)
      : request.action == ExchangeRequest::Action::kNextRound
          ? RunNextRound(request.file, folder, SystemClock().Today(), output)
          : RunExchange(request, folder, input, output);
  output.close();
  if (!outcome.report.empty()) {
    std::printf("%s\n", outcome.report.c_str());
    // What an import did is on record only once it is written.
    if (!FlushStandardOutput() && outcome.exitStatus == 0) {
      outcome.exitStatus = 1;
      outcome.error = "standard output: " + std::string(std::strerror(errno)) +
                      "; it was to say: " + outcome.report;
    }
  }
  if (!outcome.error.empty()) std::fprintf(stderr, "larkspin: %s\n", outcome.error.c_str());
  return outcome.exitStatus;
}

}  // namespace larkspin
