#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "DiskFile.h"

class QIODevice;

namespace larkspin {

class DataFolderLock;

// An export or import asked for on the command line. kHandicap, the scoring record of the
// Handicap Index, is worked out above this library: RunHandicapExport runs it.
struct ExchangeRequest {
  enum class Action { kExportRounds, kExportCourses, kImportRounds, kImportCourses, kHandicap };

  Action action = Action::kExportRounds;
  QString file;  // "-": standard output for an export, standard input for an import
  bool skipDuplicates = true;
};

struct ExchangeOutcome {
  int exitStatus = 0;  // 0: done; 1: a data or file error, told in `error`
  std::string report;  // what an import did, for standard output
  std::string error;   // one line for standard error
};

// Runs an export or import on the data folder `dataDir`, without a window:
// - the folder's lock is taken, so a window open on the folder makes it refuse;
// - the data file (lks.dat or courses.dat) is read as the window reads it; one not read in full
//   is left as it is, and nothing is exported or imported;
// - an export writes the CSV atomically (see WriteFileAtomically), or to `output`;
// - an import reads the CSV from the file or `input`, puts its rows above the table's (leaving
//   out those of the same course and date, courses of the same name, with `skipDuplicates`),
//   and saves the data file as the window does. A file that cannot be read changes nothing.
ExchangeOutcome RunExchange(const ExchangeRequest& request, const QString& dataDir,
                            QIODevice& input, QIODevice& output);

// The steps of RunExchange that other exports share:
// takes the folder's lock, and refuses when a window is open on the folder;
std::optional<ExchangeOutcome> LockDataFolder(DataFolderLock& lock, const QString& dataDir);
// writes the CSV `writeCsv` makes to `file` atomically, or to `output` for "-".
ExchangeOutcome ExportCsv(const QString& file, const std::function<bool(const ByteSink&)>& writeCsv,
                          QIODevice& output);

}  // namespace larkspin
