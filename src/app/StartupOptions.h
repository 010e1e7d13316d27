#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "CommandLineScorecard.h"
#include "ExchangeCommand.h"

namespace larkspin {

// What the command line asks for. Reading it touches no file and needs no display, so --help
// and --version work anywhere and a mistake is reported before any window opens.
struct StartupOptions {
  // -1: open the window on `dataDir`. Otherwise print `output` and `errors` and end the
  // program with this status: 0 for --help and --version, 2 for a mistake on the command line.
  int exitStatus = -1;
  QString output;
  QString errors;
  QString dataDir;  // absolute; it may not exist yet
  // An export or import to run on `dataDir` instead of opening the window.
  std::optional<ExchangeRequest> exchange;
  // The blank card to write as a PDF instead of opening the window.
  std::optional<ScorecardRequest> scorecard;
};

// `arguments` as main() receives them, the program's path first. `userDataDir` is the user's
// data folder for the program, selected by --user-data (the menu starts Larkspin that way);
// without an option the data stays in `currentDir`, as for any program started in a terminal.
StartupOptions ParseStartupOptions(const QStringList& arguments, const QString& currentDir,
                                   const QString& userDataDir);

// Makes `dir` a folder the window can keep its files in, creating it (and its parents) when
// missing. Returns what is wrong with it for the user to read, or an empty text when it is fine.
// The command line makes no folder: see CommandFolder.
QString PrepareDataFolder(const QString& dir);

// The program's name and version, as --version prints them and the data folder is named.
void SetProgramIdentity();

// The user's own data folder for Larkspin (~/.local/share/larkspin on Linux).
QString UserDataFolder();

}  // namespace larkspin
