#include "entry/Scorecard.h"

#include <QDir>

#include "data/DiskFile.h"
#include "entry/ReportWalk.h"

namespace larkspin {

Scorecard::Scorecard(ScorecardServices services, const TextMeasure& measure)
    : services_(std::move(services)), measure_(measure) {
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

void Scorecard::OnDestroy() {
  SaveRounds();
  SaveCourses();
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

bool Scorecard::WriteDataFile(const char* name,
                              const std::function<bool(const ByteSink&)>& produce) {
  if (WriteFileAtomically(DataFilePath(name), produce)) return true;
  services_.prompter.ShowMessage(kSaveFailedMessage, kSaveFailedTitle);
  return false;
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
