#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RatingRecord.h"

namespace larkspin {

// Message boxes. The window shows real ones; tests answer them.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // A box with the text, the title and one OK button.
  virtual void ShowMessage(std::string_view text, std::string_view title) = 0;
  // A Yes/No question with the exclamation icon; true for Yes.
  virtual bool AskYesNo(std::string_view text, std::string_view title) = 0;
  // The same with "No" as the default button, for a question whose "Yes" gives something up.
  virtual bool AskYesNoDefaultNo(std::string_view text, std::string_view title) = 0;
  // A question with one button for each of `buttons`, `defaultButton` the default; returns the
  // index of the button pressed. Escape and the close box press the last one.
  virtual int Choose(std::string_view text, std::string_view title,
                     const std::vector<std::string_view>& buttons, int defaultButton = 0) = 0;
};

// The file dialogs of File > Export and Import, showing CSV files: the path chosen, empty when
// the dialog was cancelled.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual QString ChooseFileToOpen(std::string_view title) = 0;
  // Offers `suggestedName`; a file that exists is only chosen after the user agreed to replace it.
  virtual QString ChooseFileToSave(std::string_view title, const QString& suggestedName) = 0;
  // The same for a PDF file.
  virtual QString ChoosePdfToSave(std::string_view title, const QString& suggestedName) {
    return ChooseFileToSave(title, suggestedName);
  }
};

// The "Date Selection" dialog: opens on `initial` and returns the day selected when it closed,
// however it was closed.
class DatePicker {
 public:
  virtual ~DatePicker() = default;
  virtual QDate PickDate(QDate initial) = 0;
};

class ScoreWizard;

enum class WizardClosing { kOk, kNavigation, kCancel };

// The "Score Entry Wizard" window: opens on the run's current hole, hands every button press to
// the run, and tells whether "OK" closed it, the program's end did (kCancel), or anything else
// ("Next >>", "<< Back", Escape, the close box).
class WizardWindow {
 public:
  virtual ~WizardWindow() = default;
  virtual WizardClosing ShowHole(ScoreWizard& wizard) = 0;
};

// Hands a local file (the help page, a report) to the desktop to open; failures stay silent.
class DesktopOpener {
 public:
  virtual ~DesktopOpener() = default;
  virtual void OpenLocalFile(const QString& path) = 0;
};

// The "Course Ratings" dialog: opens on a row per course name (see RatingRows) and returns the
// rows as typed when "OK" closed it, each of them valid or empty; nothing when it was cancelled.
class RatingsEditor {
 public:
  virtual ~RatingsEditor() = default;
  virtual std::optional<std::vector<RatingRecord>> EditRatings(
      const std::vector<RatingRecord>& rows) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDate Today() const = 0;
};

// Everything the main window's logic needs from outside.
struct ScorecardServices {
  Prompter& prompter;
  DatePicker& datePicker;
  WizardWindow& wizardWindow;
  DesktopOpener& opener;
  const Clock& clock;
  FileChooser& fileChooser;
  RatingsEditor& ratingsEditor;
  QString workDir;      // where the data files live
  std::string appName;  // titles the questions
  QString helpPage;     // empty when the help page cannot be found
  // Whether the session keeps a journal of its changes in workDir (see SessionJournal): a window
  // that holds the folder's lock does.
  bool journal = false;
};

}  // namespace larkspin
