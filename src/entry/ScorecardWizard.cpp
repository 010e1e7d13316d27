// The "Wizard" button.
#include "ScoreWizard.h"
#include "Scorecard.h"

namespace larkspin {

void Scorecard::RunWizard() {
  ReadForm();
  ScoreWizard wizard(values_);
  WizardClosing closing;
  while ((closing = services_.wizardWindow.ShowHole(wizard)) == WizardClosing::kNavigation) {
    ReadForm();
    wizard.StoreHole(values_);
    ShowForm();
    // The grid behind the wizard shows the hole before the next one opens.
    if (showFormNow_) showFormNow_();
    wizard.LoadNextHole(values_);
  }
  // The program is ending: the hole open is left as it was.
  if (closing == WizardClosing::kCancel) return;
  wizard.StoreHole(values_);
  ShowForm();
  Settle();
}

}  // namespace larkspin
