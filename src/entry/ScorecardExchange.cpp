// File > Export and Import: the tables as CSV files and back.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CsvImport.h"
#include "CsvWriter.h"
#include "DiskFile.h"
#include "ExchangeTexts.h"
#include "Scorecard.h"

namespace larkspin {

namespace {

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString();
}

std::string FileName(const QString& path) {
  return QFileInfo(path).fileName().toStdString();
}

}  // namespace

void Scorecard::ExportRounds() {
  Export(kExportRoundsTitle, QStringLiteral("rounds.csv"),
         [this](const ByteSink& sink) { return WriteRoundsCsv(rounds_.Table(), sink); });
}

void Scorecard::ExportCourses() {
  Export(kExportCoursesTitle, QStringLiteral("courses.csv"),
         [this](const ByteSink& sink) { return WriteCoursesCsv(courses_.Table(), sink); });
}

void Scorecard::Export(std::string_view title, const QString& suggestedName,
                       const std::function<bool(const ByteSink&)>& produce) {
  const QString path = services_.fileChooser.ChooseFileToSave(title, suggestedName);
  if (path.isEmpty()) return;
  QString error;
  if (!WriteFileAtomically(path, produce, &error)) {
    TellSaveFailure(Shown(path) + ": " + error.toStdString());
  }
}

QString Scorecard::OpenImport(std::string_view title, QFile& file) {
  const QString path = services_.fileChooser.ChooseFileToOpen(title);
  if (path.isEmpty()) return {};
  QString reason;
  std::string failure;
  switch (OpenRegularFile(path, file, reason)) {
    case FileReadResult::Outcome::kRead:
      return path;
    case FileReadResult::Outcome::kMissing:
      failure = Shown(path) + ": no such file.";
      break;
    case FileReadResult::Outcome::kNotRegular:
      failure = Shown(path) + " is " + reason.toStdString() + ", not a file.";
      break;
    case FileReadResult::Outcome::kUnreadable:
      failure = Shown(path) + ": " + reason.toStdString() + '.';
      break;
  }
  services_.prompter.ShowMessage(failure + "\r\n" + std::string(kNothingImported),
                                 kReadFailedTitle);
  return {};
}

std::optional<bool> Scorecard::ConfirmImport(ExchangeKind kind, std::string_view title,
                                             const ImportPlan& plan, const QString& path) {
  const std::string name = FileName(path);
  if (plan.problem) {
    services_.prompter.ShowMessage(
        DescribeCsvProblem(*plan.problem, Shown(path)) + "\r\n" + std::string(kNothingImported),
        kReadFailedTitle);
    return std::nullopt;
  }
  if (plan.duplicate.empty()) {  // one entry for each row to import
    services_.prompter.ShowMessage(NothingToImport(kind, plan, name), title);
    return std::nullopt;
  }
  switch (services_.prompter.Choose(ImportQuestion(kind, plan, plan.duplicate.size(), name), title,
                                    {kImportAllButton, kSkipDuplicatesButton, kCancelButton})) {
    case 0:
      return false;
    case 1:
      return true;
    default:
      return std::nullopt;
  }
}

void Scorecard::ImportRounds() {
  QFile file;
  const QString path = OpenImport(kImportRoundsTitle, file);
  if (path.isEmpty()) return;
  ReadForm();
  RoundImportPlan plan = PlanRoundImport(file, rounds_.Table());
  if (const auto skipDuplicates =
          ConfirmImport(ExchangeKind::kRounds, kImportRoundsTitle, plan, path)) {
    // One step of the history: "Undo Import" takes every imported round out again.
    rounds_.Import(TakeRowsToImport(plan, *skipDuplicates));
    UpdateRoundCount();
  }
  ShowForm();
}

void Scorecard::ImportCourses() {
  QFile file;
  const QString path = OpenImport(kImportCoursesTitle, file);
  if (path.isEmpty()) return;
  ReadForm();
  CourseImportPlan plan = PlanCourseImport(file, courses_.Table());
  if (const auto skipDuplicates =
          ConfirmImport(ExchangeKind::kCourses, kImportCoursesTitle, plan, path)) {
    // One step of the history; each name joins the course selector.
    courses_.Import(TakeRowsToImport(plan, *skipDuplicates));
  }
  ShowForm();
}

}  // namespace larkspin
