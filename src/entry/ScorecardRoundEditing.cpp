// "Add Score", "Update Score", "Remove Score" and the "Date:" button.
#include "DateText.h"
#include "Scorecard.h"

namespace larkspin {

bool Scorecard::AskToAddDuplicate() {
  return services_.prompter.AskYesNo(kDuplicateQuestion, services_.appName);
}

bool Scorecard::IsDuplicateRound() const {
  const std::string& course = values_.working[kCourseColumn];
  const std::string& date = values_.working[kDateColumn];
  for (int row = 0; row < rounds_.RowCount(); ++row) {
    if (rounds_.Cell(row, kCourseColumn) == course && rounds_.Cell(row, kDateColumn) == date) {
      return true;
    }
  }
  return false;
}

void Scorecard::AddScore() {
  ReadForm();
  if (values_.working[kCourseColumn].empty()) {
    services_.prompter.ShowMessage(kBlankCourseMessage, kErrorTitle);
  } else if (!IsDuplicateRound() || AskToAddDuplicate()) {
    rounds_.InsertRow(0, values_.working);
    FitRoundListColumns();
    UpdateRoundCount();
  }
  ShowForm();
}

void Scorecard::UpdateScore() {
  ReadForm();
  if (!values_.working[kCourseColumn].empty() && rounds_.HasRow(selectedRow_)) {
    rounds_.SetRow(selectedRow_, values_.working);
  }
  FitRoundListColumns();
  ShowForm();
}

void Scorecard::RemoveScore() {
  ReadForm();
  if (rounds_.HasRow(selectedRow_)) rounds_.RemoveRow(selectedRow_);
  FitRoundListColumns();
  UpdateRoundCount();
  ShowForm();
}

void Scorecard::OnDateButton() {
  ReadForm();
  values_.working[kDateColumn].clear();
  const QDate picked = services_.datePicker.PickDate(services_.clock.Today());
  values_.working[kDateColumn] = FormatDateText(picked);
  ShowForm();
}

}  // namespace larkspin
