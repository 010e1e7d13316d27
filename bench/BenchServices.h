#pragma once

// The outside world of the main window's logic, as the benchmarks need it: no box is shown,
// no dialog waits and nothing is opened.

#include <QDate>
#include <QString>
#include <string_view>
#include <vector>

#include "ColumnWidths.h"
#include "RoundRecord.h"
#include "ScoreWizard.h"
#include "Services.h"

namespace larkspin::bench {

// Answers every question with No and forgets every message, counting them.
class QuietPrompter final : public Prompter {
 public:
  void ShowMessage(std::string_view /*text*/, std::string_view /*title*/) override { ++messages; }
  bool AskYesNo(std::string_view /*text*/, std::string_view /*title*/) override {
    ++messages;
    return false;
  }
  bool AskYesNoDefaultNo(std::string_view text, std::string_view title) override {
    return AskYesNo(text, title);
  }
  // Presses the first button.
  int Choose(std::string_view /*text*/, std::string_view /*title*/,
             const std::vector<std::string_view>& /*buttons*/) override {
    ++messages;
    return 0;
  }

  int messages = 0;
};

// Chooses `path` in every file dialog.
class PresetFileChooser final : public FileChooser {
 public:
  QString ChooseFileToOpen(std::string_view /*title*/) override { return path; }
  QString ChooseFileToSave(std::string_view /*title*/, const QString& /*suggestedName*/) override {
    return path;
  }

  QString path;
};

// Closes the "Date Selection" dialog at once on the day it opened on.
class ClosingDatePicker final : public DatePicker {
 public:
  QDate PickDate(QDate initial) override { return initial; }
};

// Presses "OK" on the wizard's first hole.
class ClosingWizardWindow final : public WizardWindow {
 public:
  WizardClosing ShowHole(ScoreWizard& wizard) override {
    wizard.OnInitDialog();
    wizard.OnOK();
    return WizardClosing::kOk;
  }
};

// Opens nothing, counting what it was asked to open.
class IgnoringOpener final : public DesktopOpener {
 public:
  void OpenLocalFile(const QString& /*path*/) override { ++opened; }

  int opened = 0;
};

class FixedClock final : public Clock {
 public:
  QDate Today() const override { return QDate(2024, 6, 1); }
};

// Every byte 7 units wide plus a margin of 10, headings likewise: about what an average font
// gives, at no cost, so that the benchmarks time the tracking and not a font.
class ByteWidthMeasure final : public TextMeasure {
 public:
  int TextWidth(std::string_view utf8) const override {
    return 7 * static_cast<int>(utf8.size()) + 10;
  }
  int HeadingWidth(int column) const override { return TextWidth(RoundColumnHeading(column)); }
};

}  // namespace larkspin::bench
