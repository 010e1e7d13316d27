#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>
#include <vector>

#include "ScoreWizard.h"
#include "Services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace larkspin {

// "Score Entry Wizard": one hole of a run, with rows of value buttons for the score, the drive,
// the club and the putts. Every button hands the run what the fields show, and the window shows
// the run's values again; "OK" closes it with the accepted result, everything else with the
// rejected one.
class CWizardDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CWizardDlg(QWidget* parent = nullptr);

  // What the window closes with when the program ends under it: neither OK nor a move to another
  // hole.
  static constexpr int kEnding = 2;

  // Opens on the run's current hole and waits until the window closes.
  WizardClosing ShowHole(ScoreWizard& wizard);
  // Shows the run's current hole and works for it from now on, without opening the window.
  void Attach(ScoreWizard& wizard);

  // The controls, in tab order.
  struct Controls {
    QLabel* holeLabel = nullptr;
    QLineEdit* par = nullptr;
    QLabel* note = nullptr;
    QLineEdit* score = nullptr;
    QLineEdit* drive = nullptr;
    QComboBox* club = nullptr;
    QLineEdit* putts = nullptr;
    QPushButton* back = nullptr;
    QPushButton* next = nullptr;
    QPushButton* ok = nullptr;
    // Each value button with what it stands for, groups and rows in order.
    std::vector<std::pair<QPushButton*, const WizardButton*>> values;
  };
  const Controls& Widgets() const { return controls_; }

  // "OK", or Enter: the fields are read before the window closes.
  void accept() override;
  void done(int result) override;

 private:
  // Returns the controls that take the focus, in the order of the layout.
  std::vector<QWidget*> BuildControls();
  QWidget* BuildField(const WizardGroup& group, QWidget* box);

  // A button of the run: the fields are read into it first and shown again after.
  template <typename Command>
  void Run(Command command);
  // "Next >>" and "<< Back": the fields are read, the run picks the hole, the window closes.
  void Navigate(void (ScoreWizard::*command)());
  void ReadFields();
  void ShowFields();
  // Where the window opens: first over the lower part of its owner, then where it was last.
  QPoint OpeningPosition() const;

  Controls controls_;
  ScoreWizard* wizard_ = nullptr;
  std::optional<QPoint> lastPosition_;
};

}  // namespace larkspin
