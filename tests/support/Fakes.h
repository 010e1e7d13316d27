#pragma once

// Stand-ins for the outside world of the main window's logic, for the tests and the benchmarks:
// nothing blocks, nothing opens, and what was asked is kept.

#include <QDate>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ScoreWizard.h"
#include "Services.h"

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
// choices the queued choices, then `defaultChoice`.
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
             const std::vector<std::string_view>& buttons, int /*defaultButton*/ = 0) override {
    messages.push_back({std::string(text), std::string(title), true, false,
                        std::vector<std::string>(buttons.begin(), buttons.end())});
    if (choices.empty())
      return defaultChoice < 0 ? static_cast<int>(buttons.size()) - 1 : defaultChoice;
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
  int defaultChoice = -1;  // -1: the last button
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

// The "Course Ratings" dialog without a window: keeps the rows it opened on and closes with what
// `type` makes of them, or is cancelled when there is no `type`.
class ScriptedRatingsEditor final : public RatingsEditor {
 public:
  using Typing = std::function<std::vector<RatingRecord>(std::vector<RatingRecord>)>;

  std::optional<std::vector<RatingRecord>> EditRatings(
      const std::vector<RatingRecord>& rows) override {
    opened.push_back(rows);
    if (!type) return std::nullopt;
    return type(rows);
  }
  // "OK" with valid ratings for `course` alone: 71.3, 128, each hole's number its stroke index.
  void TypeValidRatings(const std::string& course) {
    type = [course](std::vector<RatingRecord>) {
      RatingRecord rating{course, "71.3", "128"};
      for (int hole = 1; hole <= kHoles; ++hole)
        rating[StrokeIndexCell(hole)] = std::to_string(hole);
      return std::vector<RatingRecord>{rating};
    };
  }

  Typing type;
  std::vector<std::vector<RatingRecord>> opened;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(QDate today = QDate(2003, 9, 16)) : today(today) {}
  QDate Today() const override { return today; }

  QDate today;
};

}  // namespace larkspin::testing
