#pragma once

#include <QString>
#include <string>

class QIODevice;

namespace larkspin {

// An export or import asked for on the command line.
struct ExchangeRequest {
  enum class Action { kExportRounds, kExportCourses, kImportRounds, kImportCourses };

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

}  // namespace larkspin
