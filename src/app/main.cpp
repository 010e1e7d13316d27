#include <QDir>
#include <QStringList>
#include <cstdio>

#include "CScorecardApp.h"
#include "CommandLineExchange.h"
#include "StartupFailure.h"
#include "StartupOptions.h"

int main(int argc, char** argv) {
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
    std::fputs(options.errors.toLocal8Bit().constData(), stderr);
    return options.exitStatus;
  }
  if (const QString problem = larkspin::PrepareDataFolder(options.dataDir); !problem.isEmpty()) {
    // An export or import is run from a terminal or a script: no box for it.
    return larkspin::TellStartupFailure(argc, argv, problem, !options.exchange);
  }
  // An export or import needs no window, and so no display.
  if (options.exchange) return larkspin::RunCommandLineExchange(*options.exchange, options.dataDir);

  larkspin::CScorecardApp app(argc, argv, options.dataDir);
  return app.InitInstance();
}
