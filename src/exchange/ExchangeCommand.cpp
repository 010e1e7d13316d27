#include "ExchangeCommand.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <functional>
#include <optional>

#include "CourseFile.h"
#include "CsvImport.h"
#include "CsvWriter.h"
#include "DataFileKeeper.h"
#include "DataFolderLock.h"
#include "DiskFile.h"
#include "ExchangeTexts.h"
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

// The two tables behind one interface: reading, writing and importing into the data file.
class DataTable {
 public:
  virtual ~DataTable() = default;
  virtual std::size_t Load(std::string_view text) = 0;
  virtual std::uint64_t Revision() const = 0;
  virtual bool WriteDataFile(const ByteSink& sink) const = 0;
  virtual bool WriteCsv(const ByteSink& sink) const = 0;
  // The rows imported, or the plan's problem.
  virtual std::optional<std::string> Import(QIODevice& csv, bool skipDuplicates,
                                            std::string_view name, std::string& report) = 0;
};

class Rounds final : public DataTable {
 public:
  std::size_t Load(std::string_view text) override {
    std::vector<PackedRound> rounds = ParseRoundFile(text);
    const std::size_t count = rounds.size();
    std::reverse(rounds.begin(), rounds.end());  // the file's last round on top
    table_.InsertRowsAtTop(std::move(rounds));
    return count;
  }
  std::uint64_t Revision() const override { return table_.Revision(); }
  bool WriteDataFile(const ByteSink& sink) const override { return WriteRoundFile(table_, sink); }
  bool WriteCsv(const ByteSink& sink) const override { return WriteRoundsCsv(table_, sink); }
  std::optional<std::string> Import(QIODevice& csv, bool skipDuplicates, std::string_view name,
                                    std::string& report) override {
    RoundImportPlan plan = PlanRoundImport(csv, table_);
    if (plan.problem) return DescribeCsvProblem(*plan.problem, name);
    if (plan.rows.empty()) {
      report = NothingToImport(ExchangeKind::kRounds, plan, name);
      return std::nullopt;
    }
    std::vector<PackedRound> rows = TakeRowsToImport(plan, skipDuplicates);
    report = ImportSummary(ExchangeKind::kRounds, plan, rows.size(), skipDuplicates, name);
    table_.InsertRowsAtTop(std::move(rows));
    return std::nullopt;
  }

 private:
  RoundTable table_;
};

class Courses final : public DataTable {
 public:
  std::size_t Load(std::string_view text) override {
    std::vector<CourseRecord> courses = ParseCourseFile(text).courses;
    const std::size_t count = courses.size();
    std::reverse(courses.begin(), courses.end());
    table_.InsertRowsAtTop(std::move(courses));
    return count;
  }
  std::uint64_t Revision() const override { return table_.Revision(); }
  bool WriteDataFile(const ByteSink& sink) const override {
    return sink(SerializeCourseFile(table_));
  }
  bool WriteCsv(const ByteSink& sink) const override { return WriteCoursesCsv(table_, sink); }
  std::optional<std::string> Import(QIODevice& csv, bool skipDuplicates, std::string_view name,
                                    std::string& report) override {
    CourseImportPlan plan = PlanCourseImport(csv, table_);
    if (plan.problem) return DescribeCsvProblem(*plan.problem, name);
    if (plan.rows.empty()) {
      report = NothingToImport(ExchangeKind::kCourses, plan, name);
      return std::nullopt;
    }
    std::vector<CourseRecord> rows = TakeRowsToImport(plan, skipDuplicates);
    report = ImportSummary(ExchangeKind::kCourses, plan, rows.size(), skipDuplicates, name);
    table_.InsertRowsAtTop(std::move(rows));
    return std::nullopt;
  }

 private:
  CourseTable table_;
};

ExchangeOutcome Export(const ExchangeRequest& request, const DataTable& table, QIODevice& output) {
  if (request.file == QLatin1String("-")) {
    const ByteSink sink = [&output](std::string_view bytes) {
      return output.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size());
    };
    if (!table.WriteCsv(sink)) {
      return Failure("standard output: " + output.errorString().toStdString());
    }
    return {};
  }
  QString error;
  if (!WriteFileAtomically(
          request.file, [&table](const ByteSink& sink) { return table.WriteCsv(sink); }, &error)) {
    return Failure(Shown(request.file) + ": " + error.toStdString());
  }
  return {};
}

ExchangeOutcome Import(const ExchangeRequest& request, DataTable& table, DataFileKeeper& dataFile,
                       QIODevice& input) {
  const std::string nothing = " " + std::string(kNothingImported);
  QFile file;
  QIODevice* csv = &input;
  std::string name = "standard input";
  if (request.file != QLatin1String("-")) {
    name = Shown(request.file);
    QString reason;
    switch (OpenRegularFile(request.file, file, reason)) {
      case FileReadResult::Outcome::kRead:
        break;
      case FileReadResult::Outcome::kMissing:
        return Failure(name + ": no such file." + nothing);
      case FileReadResult::Outcome::kNotRegular:
        return Failure(name + " is " + reason.toStdString() + ", not a file." + nothing);
      case FileReadResult::Outcome::kUnreadable:
        return Failure(name + ": " + reason.toStdString() + '.' + nothing);
    }
    csv = &file;
  }
  const std::uint64_t before = table.Revision();
  ExchangeOutcome outcome;
  if (auto problem = table.Import(*csv, request.skipDuplicates, name, outcome.report)) {
    return Failure(*problem + nothing);
  }
  if (table.Revision() != before) {
    if (auto failure = dataFile.Write(table.Revision(), [&table](const ByteSink& sink) {
          return table.WriteDataFile(sink);
        })) {
      return Failure(*failure + nothing);
    }
  }
  return outcome;
}

}  // namespace

ExchangeOutcome RunExchange(const ExchangeRequest& request, const QString& dataDir,
                            QIODevice& input, QIODevice& output) {
  DataFolderLock lock(dataDir);
  if (lock.TryLock() == DataFolderLock::Outcome::kHeldElsewhere) {
    return Failure(QString::fromStdString(AlreadyOpenMessage(dataDir))
                       .replace(QStringLiteral("\r\n"), QStringLiteral(" "))
                       .toStdString());
  }

  const bool rounds =
      request.action == Action::kExportRounds || request.action == Action::kImportRounds;
  Rounds roundTable;
  Courses courseTable;
  DataTable& table = rounds ? static_cast<DataTable&>(roundTable) : courseTable;
  DataFileKeeper dataFile(
      QDir(dataDir).filePath(QLatin1String(rounds ? kRoundFileName : kCourseFileName)),
      rounds ? "round" : "course");
  const std::size_t records = table.Load(dataFile.Read());
  dataFile.Loaded(records, table.Revision());
  if (!dataFile.WhollyRead()) {
    return Failure(dataFile.Unread() + (IsImport(request.action) ? " Nothing was imported."
                                                                 : " Nothing was exported."));
  }
  return IsImport(request.action) ? Import(request, table, dataFile, input)
                                  : Export(request, table, output);
}

}  // namespace larkspin
