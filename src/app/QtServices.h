#pragma once

#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "ColumnWidths.h"
#include "FigureWidths.h"
#include "Services.h"

class QMessageBox;
class QWidget;

namespace larkspin {

class CWizardDlg;
class RoundListHeader;

// The program's own answers to the seams of the main window's logic.

class MessageBoxPrompter final : public Prompter {
 public:
  void ShowMessage(std::string_view text, std::string_view title) override;
  bool AskYesNo(std::string_view text, std::string_view title) override;
  bool AskYesNoDefaultNo(std::string_view text, std::string_view title) override;
  int Choose(std::string_view text, std::string_view title,
             const std::vector<std::string_view>& buttons, int defaultButton = 0) override;

  // The boxes these show, over the window in front.
  static std::unique_ptr<QMessageBox> MakeMessageBox(std::string_view text, std::string_view title);
  static std::unique_ptr<QMessageBox> MakeQuestion(std::string_view text, std::string_view title,
                                                   bool noByDefault);
  // Each button carries its index in `buttons` as the property "choice".
  static std::unique_ptr<QMessageBox> MakeChoice(std::string_view text, std::string_view title,
                                                 const std::vector<std::string_view>& buttons,
                                                 int defaultButton = 0);
};

// Qt's file dialogs, showing CSV files (PDF files for a PDF); each opens in the folder where the
// last one ended, the home folder at first.
class DialogFileChooser final : public FileChooser {
 public:
  QString ChooseFileToOpen(std::string_view title) override;
  QString ChooseFileToSave(std::string_view title, const QString& suggestedName) override;
  QString ChoosePdfToSave(std::string_view title, const QString& suggestedName) override;

 private:
  QString Choose(std::string_view title, bool save, const QString& suggestedName, bool pdf = false);

  QString folder_;
};

class CalendarDatePicker final : public DatePicker {
 public:
  QDate PickDate(QDate initial) override;
};

// One "Score Entry Wizard" window, opened again for every hole, so that it stays where the user
// moved it.
class DialogWizardWindow final : public WizardWindow {
 public:
  DialogWizardWindow() = default;
  ~DialogWizardWindow() override;
  DialogWizardWindow(const DialogWizardWindow&) = delete;
  DialogWizardWindow& operator=(const DialogWizardWindow&) = delete;

  WizardClosing ShowHole(ScoreWizard& wizard) override;

 private:
  QPointer<CWizardDlg> dialog_;  // owned by the window it was opened over
};

// The "Course Ratings" dialog over the window in front; its boxes go through `prompter`.
class DialogRatingsEditor final : public RatingsEditor {
 public:
  explicit DialogRatingsEditor(Prompter& prompter) : prompter_(prompter) {}
  std::optional<std::vector<RatingRecord>> EditRatings(
      const std::vector<RatingRecord>& rows) override;

 private:
  Prompter& prompter_;
};

class SystemDesktopOpener final : public DesktopOpener {
 public:
  void OpenLocalFile(const QString& path) override;
};

// Widths as the round list paints them: the view's font, the item margins, the header's style.
class ViewTextMeasure final : public TextMeasure {
 public:
  ViewTextMeasure(const QWidget& view, const RoundListHeader& header);
  int TextWidth(std::string_view utf8) const override;
  int HeadingWidth(int column) const override;
  bool FiguresAlike() const override;

 private:
  FigureWidths& Figures() const;

  const QWidget& view_;
  const RoundListHeader& header_;
  mutable std::optional<FigureWidths> figures_;  // in the view's font
};

// Message texts keep the Windows line break "\r\n"; Qt wants "\n".
QString ToDisplayText(std::string_view text);

// The help page shipped with the program, looked for beside the executable (build tree), where
// the install puts it (share/larkspin/help) and in the bundle's Resources (macOS); empty when
// missing.
QString FindHelpPage(const QString& executableDir);

}  // namespace larkspin
