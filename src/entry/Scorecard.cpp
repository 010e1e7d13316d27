#include "Scorecard.h"

#include <QDir>

#include "CourseFile.h"
#include "DiskFile.h"
#include "ReportWalk.h"
#include "RoundFile.h"

namespace larkspin {

Scorecard::Scorecard(ScorecardServices services, const TextMeasure& measure,
                     std::function<void()> showFormNow)
    : services_(std::move(services)),
      showFormNow_(std::move(showFormNow)),
      roundFile_(DataFilePath(kRoundFileName), "round"),
      courseFile_(DataFilePath(kCourseFileName), "course"),
      measure_(measure) {
  rounds_.AddObserver(this);
}

Scorecard::~Scorecard() {
  widths_.reset();
  rounds_.RemoveObserver(this);
}

void Scorecard::SelectRow(int row) {
  selectedRow_ = rounds_.HasRow(row) ? row : -1;
}

int Scorecard::ColumnWidth(int column) const {
  if (column < 0 || column >= kRoundColumns) return 0;
  return fittedWidths_[column];
}

void Scorecard::OnInitDialog() {
  ShowForm();
  SetUpRoundList();
  LoadRounds();
  SetUpCourseTable();
  LoadCourses();
  ClearGrid();
}

void Scorecard::TellUnreadFiles() {
  std::string text;
  for (const DataFileKeeper* file : {&roundFile_, &courseFile_}) {
    if (file->WhollyRead()) continue;
    if (!text.empty()) text += "\r\n\r\n";
    text += file->Unread();
  }
  if (!text.empty()) services_.prompter.ShowMessage(text, kReadFailedTitle);
}

bool Scorecard::OnDestroy() {
  const FormValues values = values_;
  const FormView view = view_;
  // Both are tried, whatever becomes of the first: what can be saved is saved.
  const bool roundsSaved = SaveRounds();
  const bool coursesSaved = SaveCourses();
  if (roundsSaved && coursesSaved) return true;
  if (services_.prompter.AskYesNoDefaultNo(kCloseAnywayQuestion, services_.appName)) return true;
  // The window stays open with every edit in place, so the user can free space or mend
  // permissions and close again.
  values_ = values;
  view_ = view;
  return false;
}

std::vector<std::string> Scorecard::SaveWithoutAsking() {
  std::vector<std::string> failures;
  if (auto failure = roundFile_.Write(rounds_.Revision(), [this](const ByteSink& sink) {
        return WriteRoundFile(rounds_, sink);
      })) {
    failures.push_back(std::move(*failure));
  }
  const std::string courses = SerializeCourseFile(courses_);
  if (auto failure = courseFile_.Write(
          courses_.Revision(), [&courses](const ByteSink& sink) { return sink(courses); })) {
    failures.push_back(std::move(*failure));
  }
  return failures;
}

bool Scorecard::OnEndSession(const std::function<bool()>& mayAsk) {
  const std::vector<std::string> failures = SaveWithoutAsking();
  if (failures.empty() || !mayAsk()) return true;
  for (const auto& failure : failures)
    TellSaveFailure(failure);
  return services_.prompter.AskYesNoDefaultNo(kCloseAnywayQuestion, services_.appName);
}

void Scorecard::OnHelpButton() {
  if (!services_.helpPage.isEmpty()) services_.opener.OpenLocalFile(services_.helpPage);
}

void Scorecard::OnCourseReport() {
  ReportWalk(values_, view_, rounds_, courses_, services_).OnCourseReport();
}

void Scorecard::OnOverallReport() {
  ReportWalk(values_, view_, rounds_, courses_, services_).OnOverallReport();
}

void Scorecard::ReadForm() {
  larkspin::ReadForm(view_, values_);
}

void Scorecard::ShowForm() {
  larkspin::ShowForm(values_, view_);
}

void Scorecard::ClearGrid() {
  ReadForm();
  const std::string period = values_.period;
  const int roundCount = values_.roundCount;
  values_ = FormValues{};
  values_.period = period;
  values_.roundCount = roundCount;
  ShowForm();
}

void Scorecard::OnClickRoundList() {
  LoadRoundFromList(selectedRow_);
  SelectCourse();
}

void Scorecard::SetUpRoundList() {
  if (!widths_) widths_ = std::make_unique<ColumnWidthTracker>(rounds_, measure_);
  FitRoundListColumns();
}

void Scorecard::FitRoundListColumns() {
  if (!widths_) return;  // no columns yet
  for (int column = 0; column < kRoundColumns; ++column) {
    fittedWidths_[column] = widths_->FittedWidth(column);
  }
}

void Scorecard::UpdateRoundCount() {
  values_.roundCount = rounds_.RowCount();
  ShowForm();
}

void Scorecard::LoadRoundFromList(int row) {
  ReadForm();
  values_.working = rounds_.Row(row);
  ShowForm();
}

QString Scorecard::DataFilePath(const char* name) const {
  return QDir(services_.workDir).filePath(QString::fromLatin1(name));
}

bool Scorecard::WriteDataFile(DataFileKeeper& file, std::uint64_t revision,
                              const std::function<bool(const ByteSink&)>& produce) {
  const std::optional<std::string> failure = file.Write(revision, produce);
  if (failure) TellSaveFailure(*failure);
  return !failure;
}

void Scorecard::TellSaveFailure(const std::string& failure) {
  services_.prompter.ShowMessage(std::string(kSaveFailedMessage) + "\r\n" + failure,
                                 kSaveFailedTitle);
}

// The selection follows its round, as the list's own selection does.
void Scorecard::RowsInserted(int first, int last) {
  if (selectedRow_ >= first) selectedRow_ += last - first + 1;
}

void Scorecard::RowRemoved(int row) {
  if (selectedRow_ == row) {
    selectedRow_ = -1;
  } else if (selectedRow_ > row) {
    --selectedRow_;
  }
}

void Scorecard::RowsReordered(const std::vector<int>& newRowOf) {
  if (selectedRow_ >= 0) selectedRow_ = newRowOf[selectedRow_];
}

}  // namespace larkspin
