#include "ExchangeCommand.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <functional>
#include <optional>

#include "CourseBook.h"
#include "CourseFile.h"
#include "CsvImportRun.h"
#include "CsvWriter.h"
#include "DataFolderLock.h"
#include "DiskFile.h"
#include "ExchangeTexts.h"
#include "RoundBook.h"
#include "RoundFile.h"

namespace larkspin {

namespace {

using Action = ExchangeRequest::Action;

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

ExchangeOutcome Failure(std::string error) {
  return ExchangeOutcome{1, {}, std::move(error)};
}

bool IsImport(Action action) {
  return action == Action::kImportRounds || action == Action::kImportCourses;
}

// The command line's side of an import: the duplicates as the options say, what happened for
// standard output, a refusal for standard error.
class StreamDialogue final : public ImportDialogue {
 public:
  StreamDialogue(bool skipDuplicates, std::string name, ExchangeOutcome& outcome)
      : skipDuplicates_(skipDuplicates), name_(std::move(name)), outcome_(outcome) {}

  void Refuse(const std::string& problem) override {
    outcome_ = Failure(problem + " " + std::string(kNothingImported));
  }
  void TellNothing(ExchangeKind kind, const ImportPlan& plan) override {
    outcome_.report = NothingToImport(kind, plan, name_);
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
  std::string name_;
  ExchangeOutcome& outcome_;
};

}  // namespace

ExchangeOutcome ExportCsv(const QString& file, const std::function<bool(const ByteSink&)>& writeCsv,
                          QIODevice& output) {
  if (file == QLatin1String("-")) {
    const ByteSink sink = [&output](std::string_view bytes) {
      return output.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size());
    };
    if (!writeCsv(sink)) {
      return Failure("standard output: " + output.errorString().toStdString());
    }
    return {};
  }
  QString error;
  if (!WriteFileAtomically(file, writeCsv, &error)) {
    return Failure(Shown(file) + ": " + error.toStdString());
  }
  return {};
}

namespace {

// Imports into `book` and saves its data file, as the window would when it closes.
template <typename Book>
ExchangeOutcome Import(const ExchangeRequest& request, Book& book, QIODevice& input) {
  QFile file;
  QIODevice* csv = &input;
  std::string name = "standard input";
  if (request.file != QLatin1String("-")) {
    name = Shown(request.file);
    if (const auto failure = OpenCsvToImport(request.file, name, file)) {
      return Failure(*failure + " " + std::string(kNothingImported));
    }
    csv = &file;
  }
  ExchangeOutcome outcome;
  StreamDialogue dialogue(request.skipDuplicates, name, outcome);
  if (ImportCsv(*csv, name, book, dialogue)) {
    if (auto failure = book.Save()) return Failure(*failure + " " + std::string(kNothingImported));
  }
  return outcome;
}

template <typename Book>
ExchangeOutcome Exchange(const ExchangeRequest& request, Book& book, QIODevice& input,
                         QIODevice& output, const std::function<bool(const ByteSink&)>& writeCsv) {
  book.Load();
  if (!book.File().WhollyRead()) {
    return Failure(book.File().Unread() + (IsImport(request.action) ? " Nothing was imported."
                                                                    : " Nothing was exported."));
  }
  return IsImport(request.action) ? Import(request, book, input)
                                  : ExportCsv(request.file, writeCsv, output);
}

}  // namespace

std::optional<ExchangeOutcome> LockDataFolder(DataFolderLock& lock, const QString& dataDir) {
  if (lock.TryLock() == DataFolderLock::Outcome::kHeldElsewhere) {
    return Failure(QString::fromStdString(AlreadyOpenMessage(dataDir))
                       .replace(QStringLiteral("\r\n"), QStringLiteral(" "))
                       .toStdString());
  }
  return std::nullopt;
}

ExchangeOutcome RunExchange(const ExchangeRequest& request, const QString& dataDir,
                            QIODevice& input, QIODevice& output) {
  DataFolderLock lock(dataDir);
  if (auto refused = LockDataFolder(lock, dataDir)) return *refused;

  // The books the window uses, without its history.
  ChangeHistory history;
  const QDir folder(dataDir);
  if (request.action == Action::kExportRounds || request.action == Action::kImportRounds) {
    RoundBook rounds(folder.filePath(QLatin1String(kRoundFileName)), history);
    return Exchange(request, rounds, input, output, [&rounds](const ByteSink& sink) {
      return WriteRoundsCsv(rounds.Table(), sink);
    });
  }
  CourseBook courses(folder.filePath(QLatin1String(kCourseFileName)), history);
  return Exchange(request, courses, input, output, [&courses](const ByteSink& sink) {
    return WriteCoursesCsv(courses.Table(), sink);
  });
}

}  // namespace larkspin
