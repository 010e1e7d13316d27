#pragma once

#include <string>
#include <string_view>

#include "DropDown.h"
#include "FormValues.h"
#include "WizardButtons.h"

namespace larkspin {

// The wizard's values: the hole it shows and that hole's texts.
struct WizardValues {
  int hole = 1;
  int nextHole = 1;  // the hole to show once the window has closed
  std::string holeLabel;
  std::string par;
  std::string score;
  std::string note;
  std::string drive;
  std::string club;
  std::string putts;
};

// What the wizard's window shows.
struct WizardView {
  WizardView();

  std::string holeLabel;
  std::string par;
  std::string score;
  std::string note;
  std::string drive;
  DropDown club;
  std::string putts;
  bool backEnabled = false;
  bool nextEnabled = false;
};

// One run of the Score Entry Wizard, without its window. The window is opened once per hole;
// while it is open, each button reads the fields into the values, acts on them and shows them
// again. Between two openings the run stores the hole into the main window's form and loads the
// next one from it.
class ScoreWizard {
 public:
  // A run starts on hole 1, whatever the grid shows, and without the note.
  explicit ScoreWizard(const FormValues& form);

  int Hole() const { return values_.hole; }
  const WizardValues& Values() const { return values_; }
  WizardView& View() { return view_; }
  const WizardView& View() const { return view_; }

  // The window opens on the current hole.
  void OnInitDialog();
  void OnValueButton(const WizardButton& button);
  // "Next >>" and "<< Back" read the fields and choose the hole to show next; the window then
  // closes. Escape and the close box close it without either, so the same hole comes back with
  // the values last read.
  void OnNext();
  void OnBack();
  // "OK" reads the fields; the window closes and the run ends.
  void OnOK();

  // Puts the current hole's texts into the form's round and pars.
  void StoreHole(FormValues& form) const;
  // Moves to the hole chosen by "Next >>" or "<< Back" and takes its texts from the form.
  void LoadNextHole(const FormValues& form);

 private:
  void ReadFields();
  void ShowFields();
  void LoadHole(int hole, const FormValues& form);
  std::string& FieldValue(WizardField field);

  WizardValues values_;
  WizardView view_;
};

inline constexpr std::string_view kHoleInOneNote = "Hole in 1!";

}  // namespace larkspin
