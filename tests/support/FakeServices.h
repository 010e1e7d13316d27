#pragma once

// Stand-ins for the outside world of the main window's logic: nothing blocks, nothing opens.

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ScoreWizard.h"
#include "Scorecard.h"
#include "Services.h"
#include "support/Rounds.h"

namespace larkspin::testing {

struct Message {
  std::string text;
  std::string title;
  bool question = false;
  bool noByDefault = false;
  std::vector<std::string> buttons;  // of a choice
};
inline void PrintTo(const Message& message, std::ostream* out) {
  *out << (message.question ? "question" : "box") << " \"" << message.title << "\": \""
       << message.text << "\"";
}

// Records every message and question; questions take the queued answers, then `defaultAnswer`;
// choices the queued choices, then the last button.
class FakePrompter final : public Prompter {
 public:
  void ShowMessage(std::string_view text, std::string_view title) override {
    messages.push_back({std::string(text), std::string(title), false, false, {}});
  }
  bool AskYesNo(std::string_view text, std::string_view title) override {
    return Answer(text, title, false);
  }
  bool AskYesNoDefaultNo(std::string_view text, std::string_view title) override {
    return Answer(text, title, true);
  }
  int Choose(std::string_view text, std::string_view title,
             const std::vector<std::string_view>& buttons) override {
    messages.push_back({std::string(text), std::string(title), true, false,
                        std::vector<std::string>(buttons.begin(), buttons.end())});
    if (choices.empty()) return static_cast<int>(buttons.size()) - 1;
    const int choice = choices.front();
    choices.pop_front();
    return choice;
  }
  bool Answer(std::string_view text, std::string_view title, bool noByDefault) {
    messages.push_back({std::string(text), std::string(title), true, noByDefault, {}});
    if (answers.empty()) return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<Message> messages;
  std::deque<bool> answers;
  bool defaultAnswer = false;
  std::deque<int> choices;
};

// Chooses `path` in every file dialog (empty: the dialog is cancelled), recording the titles.
class FakeFileChooser final : public FileChooser {
 public:
  QString ChooseFileToOpen(std::string_view title) override {
    titles.emplace_back(title);
    return path;
  }
  QString ChooseFileToSave(std::string_view title, const QString& suggestedName) override {
    titles.emplace_back(title);
    suggestedNames.push_back(suggestedName);
    return path;
  }

  QString path;
  std::vector<std::string> titles;
  std::vector<QString> suggestedNames;
};

// Returns `pick` when set, otherwise the day the dialog opened on (closing it at once).
class FakeDatePicker final : public DatePicker {
 public:
  QDate PickDate(QDate initial) override {
    opened.push_back(initial);
    return pick.isNull() ? initial : pick;
  }

  QDate pick;
  std::vector<QDate> opened;
};

// The wizard's window without a window: each opening runs the next queued step, which works the
// run as a user would (types into View(), presses buttons) and tells how the window closed. With
// no step left, "OK" is pressed.
class ScriptedWizardWindow final : public WizardWindow {
 public:
  using Step = std::function<WizardClosing(ScoreWizard&)>;

  WizardClosing ShowHole(ScoreWizard& wizard) override {
    wizard.OnInitDialog();
    shownHoles.push_back(wizard.Hole());
    if (steps.empty()) {
      wizard.OnOK();
      return WizardClosing::kOk;
    }
    const Step step = std::move(steps.front());
    steps.pop_front();
    return step(wizard);
  }

  std::deque<Step> steps;
  std::vector<int> shownHoles;
};

class RecordingOpener final : public DesktopOpener {
 public:
  void OpenLocalFile(const QString& path) override { opened.push_back(path); }

  std::vector<QString> opened;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(QDate today = QDate(2003, 9, 16)) : today(today) {}
  QDate Today() const override { return today; }

  QDate today;
};

// A Scorecard working in a fresh temporary folder, with fakes for every service.
struct ScorecardHarness {
  explicit ScorecardHarness(std::string appName = "larkspin")
      : services{.prompter = prompter,
                 .datePicker = datePicker,
                 .wizardWindow = wizardWindow,
                 .opener = opener,
                 .clock = clock,
                 .fileChooser = fileChooser,
                 .workDir = dir.path(),
                 .appName = std::move(appName),
                 .helpPage = QStringLiteral("/help/index.html")} {}

  QString FilePath(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  // A Scorecard as the window makes it; call OnInitDialog() to open it on the folder's files.
  Scorecard& Make() {
    scorecard = std::make_unique<Scorecard>(services, measure, showFormNow);
    return *scorecard;
  }

  QTemporaryDir dir;
  FakePrompter prompter;
  FakeDatePicker datePicker;
  ScriptedWizardWindow wizardWindow;
  RecordingOpener opener;
  FixedClock clock;
  FakeFileChooser fileChooser;
  ByteCountMeasure measure;
  ScorecardServices services;
  std::function<void()>
      showFormNow;  // the window's, when a test watches the form shown mid-command
  std::unique_ptr<Scorecard> scorecard;
};

}  // namespace larkspin::testing
