// File > Export and Import: the tables as CSV files and back.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CsvImportRun.h"
#include "CsvWriter.h"
#include "DiskFile.h"
#include "ExchangeTexts.h"
#include "Scorecard.h"
#include "Sentence.h"

namespace larkspin {

namespace {

std::string Shown(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString();
}

std::string FileName(const QString& path) {
  return QFileInfo(path).fileName().toStdString();
}

// The window's side of an import: boxes over it.
class BoxDialogue final : public ImportDialogue {
 public:
  BoxDialogue(Prompter& prompter, std::string_view title, std::string fileName)
      : prompter_(prompter), title_(title), fileName_(std::move(fileName)) {}

  void Refuse(const std::string& problem) override {
    prompter_.ShowMessage(problem + "\r\n" + std::string(kNothingImported), kReadFailedTitle);
  }
  void TellNothing(ExchangeKind kind, const ImportPlan& plan) override {
    prompter_.ShowMessage(NothingToImport(kind, plan, fileName_), title_);
  }
  std::optional<DateOrder> ChooseDateOrder(ExchangeKind /*kind*/, const ImportPlan& plan) override {
    switch (prompter_.Choose(DateQuestion(plan, fileName_), title_,
                             {kDayFirstButton, kMonthFirstButton, kKeepAsWrittenButton})) {
      case 0:
        return DateOrder::kDayFirst;
      case 1:
        return DateOrder::kMonthFirst;
      default:
        return DateOrder::kAsWritten;
    }
  }
  std::optional<bool> Confirm(ExchangeKind kind, const ImportPlan& plan) override {
    switch (prompter_.Choose(ImportQuestion(kind, plan, plan.duplicate.size(), fileName_), title_,
                             {kImportAllButton, kSkipDuplicatesButton, kCancelButton})) {
      case 0:
        return false;
      case 1:
        return true;
      default:
        return std::nullopt;
    }
  }

 private:
  Prompter& prompter_;
  std::string_view title_;
  std::string fileName_;
};

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
    TellSaveFailure(EndSentence(Shown(path) + ": " + error.toStdString()));
  }
}

void Scorecard::ImportFile(std::string_view title, const ImportFrom& import) {
  const QString path = services_.fileChooser.ChooseFileToOpen(title);
  if (path.isEmpty()) return;
  BoxDialogue dialogue(services_.prompter, title, FileName(path));
  QFile file;
  if (const auto failure = OpenCsvToImport(path, Shown(path), file)) {
    dialogue.Refuse(*failure);
    return;
  }
  ReadForm();
  import(file, Shown(path), dialogue);
  UpdateRoundCount();
  ShowForm();
}

void Scorecard::ImportRounds() {
  ImportFile(kImportRoundsTitle,
             [this](QIODevice& csv, const std::string& shownName, ImportDialogue& dialogue) {
               ImportCsv(csv, shownName, rounds_, dialogue);
             });
}

void Scorecard::ImportCourses() {
  // Each imported name joins the course selector.
  ImportFile(kImportCoursesTitle,
             [this](QIODevice& csv, const std::string& shownName, ImportDialogue& dialogue) {
               ImportCsv(csv, shownName, courses_, dialogue);
             });
}

}  // namespace larkspin
