#pragma once

// The main window's logic working in a temporary folder, with a stand-in for each service.

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

#include "Scorecard.h"
#include "support/Fakes.h"
#include "support/Rounds.h"

namespace larkspin::testing {

// Real pieces for a test of Qt's own dialogs; each one left empty stays the stand-in.
struct RealServices {
  Prompter* prompter = nullptr;
  WizardWindow* wizardWindow = nullptr;
  FileChooser* fileChooser = nullptr;
  RatingsEditor* ratingsEditor = nullptr;
};

// `fake` with the pieces of `real` in place of its stand-ins.
inline ScorecardServices WithReal(const ScorecardServices& fake, RealServices real) {
  return {.prompter = real.prompter ? *real.prompter : fake.prompter,
          .datePicker = fake.datePicker,
          .wizardWindow = real.wizardWindow ? *real.wizardWindow : fake.wizardWindow,
          .opener = fake.opener,
          .clock = fake.clock,
          .fileChooser = real.fileChooser ? *real.fileChooser : fake.fileChooser,
          .ratingsEditor = real.ratingsEditor ? *real.ratingsEditor : fake.ratingsEditor,
          .workDir = fake.workDir,
          .appName = fake.appName,
          .helpPage = fake.helpPage,
          .journal = fake.journal};
}

// A Scorecard working in a fresh temporary folder, with fakes for every service.
struct ScorecardHarness {
  explicit ScorecardHarness(std::string appName = "larkspin")
      : services{.prompter = prompter,
                 .datePicker = datePicker,
                 .wizardWindow = wizardWindow,
                 .opener = opener,
                 .clock = clock,
                 .fileChooser = fileChooser,
                 .ratingsEditor = ratingsEditor,
                 .workDir = dir.path(),
                 .appName = std::move(appName),
                 .helpPage = QStringLiteral("/help/index.html")} {}

  QString FilePath(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  // A Scorecard as the window makes it; call OnInitDialog() to open it on the folder's files.
  Scorecard& Make() {
    scorecard = std::make_unique<Scorecard>(services, showFormNow);
    return *scorecard;
  }

  QTemporaryDir dir;
  FakePrompter prompter;
  FakeDatePicker datePicker;
  ScriptedWizardWindow wizardWindow;
  RecordingOpener opener;
  FixedClock clock;
  FakeFileChooser fileChooser;
  ScriptedRatingsEditor ratingsEditor;
  ScorecardServices services;
  std::function<void()>
      showFormNow;  // the window's, when a test watches the form shown mid-command
  std::unique_ptr<Scorecard> scorecard;
};

}  // namespace larkspin::testing
