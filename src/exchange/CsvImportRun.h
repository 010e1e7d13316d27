#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ExchangeTexts.h"

class QFile;
class QIODevice;

namespace larkspin {

class CourseBook;
class RoundBook;

// How an import talks with whoever asked for it: the window with boxes, the command line with its
// options and standard streams.
class ImportDialogue {
 public:
  virtual ~ImportDialogue() = default;
  // The file cannot be imported: `problem` names the file and says why.
  virtual void Refuse(const std::string& problem) = 0;
  // The file holds no row to import.
  virtual void TellNothing(ExchangeKind kind, const ImportPlan& plan) = 0;
  // How the dates were to be read before the file was (the command line's --dates); none to
  // take it from the file and ask when it does not tell.
  virtual std::optional<DateOrder> DateOrderGiven() const { return std::nullopt; }
  // The file's dates read both day first and month first, giving two days (see CsvDates.h): how
  // to read them; none to import nothing.
  virtual std::optional<DateOrder> ChooseDateOrder(ExchangeKind kind, const ImportPlan& plan) = 0;
  // Whether to import the plan's rows and skip the duplicates (true) or import them all (false);
  // none to import nothing.
  virtual std::optional<bool> Confirm(ExchangeKind kind, const ImportPlan& plan) = 0;
  // `imported` rows went above the table's.
  virtual void Imported(ExchangeKind /*kind*/, const ImportPlan& /*plan*/, std::size_t /*imported*/,
                        bool /*skippedDuplicates*/) {}
};

// Opens the CSV file at `path` to import it; when it cannot be, the sentence that tells why,
// naming it `shownName`.
std::optional<std::string> OpenCsvToImport(const QString& path, std::string_view shownName,
                                           QFile& file);

// Reads the CSV in `csv` to its end, plans what importing it into the book would do, asks the
// dialogue and puts the rows above the book's as one step of its history. A file that cannot be
// read changes nothing; problems name the file `shownName`. Dates in another form go in written
// YYYY-MM-DD when all of them read one way: as the dialogue gave, as the file shows, or as the
// dialogue chooses when the file does not show it. True when rows went in.
bool ImportCsv(QIODevice& csv, std::string_view shownName, RoundBook& book,
               ImportDialogue& dialogue);
bool ImportCsv(QIODevice& csv, std::string_view shownName, CourseBook& book,
               ImportDialogue& dialogue);

}  // namespace larkspin
