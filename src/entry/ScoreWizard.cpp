#include "ScoreWizard.h"

#include <algorithm>

namespace larkspin {

WizardView::WizardView() : club(MakeClubBox()) {}

ScoreWizard::ScoreWizard(const FormValues& form) {
  LoadHole(1, form);
}

void ScoreWizard::OnInitDialog() {
  ShowFields();
  view_.backEnabled = values_.hole > 1;
  view_.nextEnabled = values_.hole < kHoles;
}

void ScoreWizard::OnValueButton(const WizardButton& button) {
  ReadFields();
  // A second "1" on a hole, or a "1" on a hole that already had one, is worth a cheer; it stays
  // for the rest of the run.
  if (button.field == WizardField::kScore && button.value == "1" && values_.score == "1") {
    values_.note = kHoleInOneNote;
  }
  FieldValue(button.field) = button.value;
  ShowFields();
}

// The buttons are disabled at either end; the clamps keep a stray press inside the card.
void ScoreWizard::OnNext() {
  ReadFields();
  values_.nextHole = std::min(values_.hole + 1, kHoles);
}

void ScoreWizard::OnBack() {
  ReadFields();
  values_.nextHole = std::max(values_.hole - 1, 1);
}

void ScoreWizard::OnOK() {
  ReadFields();
}

void ScoreWizard::StoreHole(FormValues& form) const {
  const int hole = values_.hole;
  form.working[ClubColumn(hole)] = values_.club;
  form.working[DriveColumn(hole)] = values_.drive;
  form.working[ScoreColumn(hole)] = values_.score;
  form.working[PuttsColumn(hole)] = values_.putts;
  form.pars[hole - 1] = values_.par;
}

void ScoreWizard::LoadNextHole(const FormValues& form) {
  LoadHole(values_.nextHole, form);
}

void ScoreWizard::ReadFields() {
  values_.score = view_.score;
  values_.drive = view_.drive;
  values_.club = view_.club.Text();
  values_.putts = view_.putts;
}

void ScoreWizard::ShowFields() {
  view_.holeLabel = values_.holeLabel;
  view_.par = values_.par;
  view_.score = values_.score;
  view_.note = values_.note;
  view_.drive = values_.drive;
  view_.club.Show(values_.club);
  view_.putts = values_.putts;
}

void ScoreWizard::LoadHole(int hole, const FormValues& form) {
  values_.hole = hole;
  values_.nextHole = hole;
  values_.holeLabel = "Hole " + std::to_string(hole) + ":";
  values_.par = form.pars[hole - 1];
  values_.score = form.working[ScoreColumn(hole)];
  values_.drive = form.working[DriveColumn(hole)];
  values_.club = form.working[ClubColumn(hole)];
  values_.putts = form.working[PuttsColumn(hole)];
}

std::string& ScoreWizard::FieldValue(WizardField field) {
  switch (field) {
    case WizardField::kScore:
      return values_.score;
    case WizardField::kDrive:
      return values_.drive;
    case WizardField::kClub:
      return values_.club;
    case WizardField::kPutts:
      break;
  }
  return values_.putts;
}

}  // namespace larkspin
