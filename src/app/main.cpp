#include <QDir>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "CScorecardApp.h"
#include "CommandLineExchange.h"
#include "CommandLineScorecard.h"
#include "StandardStreams.h"
#include "StartupFailure.h"
#include "StartupOptions.h"

int main(int argc, char** argv) {
  // Before any file is opened, so that none takes the number of a closed standard stream.
  larkspin::OpenClosedStandardStreams();
  // The command line is read before the application object exists: that needs a display, and
  // --help, --version and a mistake must not.
  larkspin::SetProgramIdentity();
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments.append(QString::fromLocal8Bit(argv[i]));
  const larkspin::StartupOptions options =
      larkspin::ParseStartupOptions(arguments, QDir::currentPath(), larkspin::UserDataFolder());
  if (options.exitStatus >= 0) {
    std::fputs(options.output.toLocal8Bit().constData(), stdout);
    if (!larkspin::FlushStandardOutput() && options.exitStatus == 0) {
      std::fprintf(stderr, "larkspin: standard output: %s\n", std::strerror(errno));
      return 1;
    }
    std::fputs(options.errors.toLocal8Bit().constData(), stderr);
    return options.exitStatus;
  }
  // An export or import needs no window, and so no display; it takes the data folder as it is.
  if (options.exchange) return larkspin::RunCommandLineExchange(*options.exchange, options.dataDir);
  if (options.scorecard)
    return larkspin::RunCommandLineScorecard(*options.scorecard, options.dataDir);
  if (const QString problem = larkspin::PrepareDataFolder(options.dataDir); !problem.isEmpty()) {
    return larkspin::TellStartupFailure(argc, argv, problem, true);
  }

  larkspin::CScorecardApp app(argc, argv, options.dataDir);
  return app.InitInstance();
}
