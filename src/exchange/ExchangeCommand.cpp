#include "ExchangeCommand.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <functional>
#include <optional>

#include "CommandFolder.h"
#include "CourseBook.h"
#include "CourseFile.h"
#include "CsvImportRun.h"
#include "CsvWriter.h"
#include "DiskFile.h"
#include "ExchangeTexts.h"
#include "RoundBook.h"
#include "RoundFile.h"
#include "Sentence.h"

namespace larkspin {

namespace {

using Action = ExchangeRequest::Action;

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

ExchangeOutcome Failure(std::string error) {
  return ExchangeOutcome{1, {}, std::move(error)};
}

// `text` as a sentence, before another.
std::string Sentence(std::string text) {
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

// The device behind standard input or output, when it is a file's.
int HandleOf(QIODevice& device) {
  const auto* file = qobject_cast<QFileDevice*>(&device);
  return file ? file->handle() : -1;
}

bool IsImport(Action action) {
  return action == Action::kImportRounds || action == Action::kImportCourses;
}

// The command line's side of an import: the duplicates as the options say, what happened for
// standard output, a refusal for standard error.
class StreamDialogue final : public ImportDialogue {
 public:
  StreamDialogue(const ExchangeRequest& request, std::string name, ExchangeOutcome& outcome)
      : skipDuplicates_(request.skipDuplicates),
        dates_(request.dates),
        name_(std::move(name)),
        outcome_(outcome) {}

  void Refuse(const std::string& problem) override {
    outcome_ = Failure(problem + " " + std::string(kNothingImported));
  }
  void TellNothing(ExchangeKind kind, const ImportPlan& plan) override {
    outcome_.report = NothingToImport(kind, plan, name_);
  }
  std::optional<DateOrder> DateOrderGiven() const override { return dates_; }
  // Nobody is there to ask: the file is refused, naming the first date that reads both ways.
  std::optional<DateOrder> ChooseDateOrder(ExchangeKind /*kind*/, const ImportPlan& plan) override {
    const DateCell& date = plan.dates.firstAmbiguous;
    Refuse(DescribeCsvProblem(
        {date.line,
         0,
         {},
         "the date " + date.text +
             " reads both day first and month first; say which with --dates=day-first or "
             "--dates=month-first, or keep the dates as written with --dates=keep"},
        name_));
    return std::nullopt;
  }
  std::optional<bool> Confirm(ExchangeKind /*kind*/, const ImportPlan& /*plan*/) override {
    return skipDuplicates_;
  }
  void Imported(ExchangeKind kind, const ImportPlan& plan, std::size_t imported,
                bool skippedDuplicates) override {
    outcome_.report = ImportSummary(kind, plan, imported, skippedDuplicates, name_);
  }

 private:
  bool skipDuplicates_;
  std::optional<DateOrder> dates_;
  std::string name_;
  ExchangeOutcome& outcome_;
};

// Imports into `book` and saves its data file, as the window would when it closes.
template <typename Book>
ExchangeOutcome Import(const ExchangeRequest& request, const CommandFolder& folder, Book& book,
                       QIODevice& input) {
  const std::string nothing(kNothingImported);
  QFile file;
  QIODevice* csv = &input;
  std::string name = "standard input";
  if (request.file != QLatin1String("-")) {
    name = Shown(request.file);
    if (const auto failure = OpenCsvToImport(request.file, name, file)) {
      return Failure(*failure + " " + nothing);
    }
    csv = &file;
  }
  if (const auto own = folder.OwnFile(HandleOf(*csv), name)) return Failure(*own + " " + nothing);
  ExchangeOutcome outcome;
  StreamDialogue dialogue(request, name, outcome);
  if (ImportCsv(*csv, name, book, dialogue)) {
    if (auto failure = book.Save()) {
      if (!book.File().Replaced()) return Failure(Sentence(*failure) + " " + nothing);
      // The rows are in the file: running the import again would add them twice.
      outcome.exitStatus = 1;
      outcome.error = Sentence(*failure) + " The " +
                      (request.action == Action::kImportRounds ? "rounds" : "courses") +
                      " were imported and written all the same; do not import the file again.";
    }
  }
  return outcome;
}

template <typename Book>
ExchangeOutcome Exchange(const ExchangeRequest& request, const CommandFolder& folder, Book& book,
                         QIODevice& input, QIODevice& output,
                         const std::function<bool(const ByteSink&)>& writeCsv) {
  book.Load();
  if (!book.File().WhollyRead()) {
    return Failure(book.File().Unread() + (IsImport(request.action) ? " Nothing was imported."
                                                                    : " Nothing was exported."));
  }
  return IsImport(request.action) ? Import(request, folder, book, input)
                                  : ExportCsv(request.file, folder, writeCsv, output);
}

}  // namespace

ExchangeOutcome ExportCsv(const QString& file, const CommandFolder& folder,
                          const std::function<bool(const ByteSink&)>& writeCsv, QIODevice& output) {
  const bool toOutput = file == QLatin1String("-");
  if (const auto own = toOutput ? folder.OwnFile(HandleOf(output), "standard output")
                                : folder.OwnFile(file, Shown(file))) {
    return Failure(*own + " Nothing was exported.");
  }
  if (toOutput) {
    const ByteSink sink = [&output](std::string_view bytes) {
      return output.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size());
    };
    if (!writeCsv(sink)) {
      return Failure(EndSentence("standard output: " + output.errorString().toStdString()));
    }
    return {};
  }
  QString error;
  if (!WriteFileAtomically(file, writeCsv, &error)) {
    return Failure(EndSentence(Shown(file) + ": " + error.toStdString()));
  }
  return {};
}

ExchangeOutcome RunExchange(const ExchangeRequest& request, CommandFolder& folder, QIODevice& input,
                            QIODevice& output) {
  if (auto problem = folder.Open()) return Failure(std::move(*problem));

  // The books the window uses, without its history.
  ChangeHistory history;
  if (request.action == Action::kExportRounds || request.action == Action::kImportRounds) {
    RoundBook rounds(folder.FilePath(kRoundFileName), history);
    return Exchange(request, folder, rounds, input, output, [&rounds](const ByteSink& sink) {
      return WriteRoundsCsv(rounds.Table(), sink);
    });
  }
  CourseBook courses(folder.FilePath(kCourseFileName), history);
  return Exchange(request, folder, courses, input, output, [&courses](const ByteSink& sink) {
    return WriteCoursesCsv(courses.Table(), sink);
  });
}

}  // namespace larkspin
