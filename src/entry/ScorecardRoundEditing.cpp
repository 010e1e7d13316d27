// "Add Score", "Update Score", "Remove Score" and the "Date:" button.
#include "DateText.h"
#include "Scorecard.h"
#include "StorableText.h"

namespace larkspin {

bool Scorecard::AskToAddDuplicate() {
  return services_.prompter.AskYesNo(kDuplicateQuestion, services_.appName);
}

bool Scorecard::IsDuplicateRound() const {
  const RoundTable& table = rounds_.Table();
  const std::string& course = values_.working[kCourseColumn];
  const std::string& date = values_.working[kDateColumn];
  for (int row = 0; row < table.RowCount(); ++row) {
    if (table.Cell(row, kCourseColumn) == course && table.Cell(row, kDateColumn) == date) {
      return true;
    }
  }
  return false;
}

void Scorecard::AddScore() {
  ReadForm();
  MakeStorable(values_.working);
  if (values_.working[kCourseColumn].empty()) {
    services_.prompter.ShowMessage(kBlankCourseMessage, kErrorTitle);
  } else if (!IsDuplicateRound() || AskToAddDuplicate()) {
    rounds_.Add(values_.working);
    UpdateRoundCount();
    Settle();
  }
  ShowForm();
}

void Scorecard::UpdateScore() {
  ReadForm();
  MakeStorable(values_.working);
  if (!values_.working[kCourseColumn].empty() && rounds_.SelectedRow() >= 0) {
    rounds_.Update(rounds_.SelectedRow(), values_.working);
    ShowForm();
    Settle();
  }
  ShowForm();
}

void Scorecard::RemoveScore() {
  ReadForm();
  rounds_.Remove(rounds_.SelectedRow());
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
