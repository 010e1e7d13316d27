#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "CsvDates.h"
#include "DiskFile.h"

class QIODevice;

namespace larkspin {

class CommandFolder;

// An export or import asked for on the command line. kHandicap, the scoring record of the
// Handicap Index, is worked out above this library: RunHandicapExport runs it; so are kNextRound
// (RunNextRound) and kScorecard, the blank card as a PDF.
struct ExchangeRequest {
  enum class Action {
    kExportRounds,
    kExportCourses,
    kImportRounds,
    kImportCourses,
    kHandicap,
    kNextRound,
    kScorecard
  };

  Action action = Action::kExportRounds;
  // "-": standard output for an export, standard input for an import; for kNextRound and
  // kScorecard, the course.
  QString file;
  bool skipDuplicates = true;
  // How an import reads dates in another form (see CsvDates.h); none to take it from the file,
  // refusing a file that does not tell.
  std::optional<DateOrder> dates;
};

struct ExchangeOutcome {
  int exitStatus = 0;  // 0: done; 1: a data or file error, told in `error`
  // What an import did, for standard output; when the import's save failed after the data file
  // was replaced, both this and `error`.
  std::string report;
  std::string error;  // one line for standard error
};

// Runs an export or import on the data folder, without a window:
// - the folder is opened as CommandFolder says: one without data, one a window is open on, or
//   one whose lock cannot be made is refused;
// - the data file (lks.dat or courses.dat) is read as the window reads it; one not read in full
//   is left as it is, and nothing is exported or imported;
// - an export writes the CSV atomically (see WriteFileAtomically), or to `output`;
// - an import reads the CSV from the file or `input`, puts its rows above the table's (leaving
//   out those of the same course and date, courses of the same name, with `skipDuplicates`),
//   and saves the data file as the window does. A file that cannot be read changes nothing.
//   When the save fails after the data file was replaced, the rows are in it: that is said.
// - the CSV file, standard input or output is none of the folder's own files.
ExchangeOutcome RunExchange(const ExchangeRequest& request, CommandFolder& folder, QIODevice& input,
                            QIODevice& output);

// Writes the CSV `writeCsv` makes to `file` atomically, or to `output` for "-", refusing one of
// the folder's own files: the export step RunExchange and the other exports share.
ExchangeOutcome ExportCsv(const QString& file, const CommandFolder& folder,
                          const std::function<bool(const ByteSink&)>& writeCsv, QIODevice& output);

}  // namespace larkspin
