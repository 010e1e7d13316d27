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

std::optional<bool> Scorecard::AskToImport(std::string_view title, const std::string& question) {
  switch (services_.prompter.Choose(question, title,
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
  const std::string name = FileName(path);
  if (plan.problem) {
    services_.prompter.ShowMessage(
        DescribeCsvProblem(*plan.problem, Shown(path)) + "\r\n" + std::string(kNothingImported),
        kReadFailedTitle);
  } else if (plan.rows.empty()) {
    services_.prompter.ShowMessage(NothingToImport(ExchangeKind::kRounds, plan, name),
                                   kImportRoundsTitle);
  } else if (const auto skipDuplicates =
                 AskToImport(kImportRoundsTitle,
                             ImportQuestion(ExchangeKind::kRounds, plan, plan.rows.size(), name))) {
    // One step of the history: "Undo Import" takes every imported round out again.
    rounds_.Import(TakeRowsToImport(plan, *skipDuplicates));
    rounds_.FitColumns();
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
  const std::string name = FileName(path);
  if (plan.problem) {
    services_.prompter.ShowMessage(
        DescribeCsvProblem(*plan.problem, Shown(path)) + "\r\n" + std::string(kNothingImported),
        kReadFailedTitle);
  } else if (plan.rows.empty()) {
    services_.prompter.ShowMessage(NothingToImport(ExchangeKind::kCourses, plan, name),
                                   kImportCoursesTitle);
  } else if (const auto skipDuplicates = AskToImport(
                 kImportCoursesTitle,
                 ImportQuestion(ExchangeKind::kCourses, plan, plan.rows.size(), name))) {
    // One step of the history; each name joins the course selector.
    courses_.Import(TakeRowsToImport(plan, *skipDuplicates));
  }
  ShowForm();
}

}  // namespace larkspin
