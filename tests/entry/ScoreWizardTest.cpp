#include "ScoreWizard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeServices.h"

namespace larkspin {
namespace {

using ::testing::ElementsAre;
using testing::ScorecardHarness;
using testing::ScriptedWizardWindow;

const WizardButton& Button(std::string_view name) {
  for (const WizardGroup& group : WizardGroups()) {
    for (const auto& row : group.rows) {
      for (const WizardButton& button : row) {
        if (button.name == name) return button;
      }
    }
  }
  ADD_FAILURE() << "no button " << name;
  return WizardGroups().front().rows.front().front();
}

WizardClosing Next(ScoreWizard& wizard) {
  wizard.OnNext();
  return WizardClosing::kNavigation;
}
WizardClosing Back(ScoreWizard& wizard) {
  wizard.OnBack();
  return WizardClosing::kNavigation;
}
WizardClosing Ok(ScoreWizard& wizard) {
  wizard.OnOK();
  return WizardClosing::kOk;
}
// Escape and the close box: nothing is read.
WizardClosing Escape(ScoreWizard& /*wizard*/) {
  return WizardClosing::kNavigation;
}

using Step = ScriptedWizardWindow::Step;

// One showing of the window: the buttons pressed in order, then how it closed.
Step Pressing(std::vector<std::string> names, Step close) {
  return [names = std::move(names), close = std::move(close)](ScoreWizard& wizard) {
    for (const auto& name : names)
      wizard.OnValueButton(Button(name));
    return close(wizard);
  };
}

// The main window's logic with a round of tagged texts in the grid ("s7" is hole 7's score) and
// a round in the table; every time the form is put on screen mid-command, the grid is noted.
class WizardRun : public ::testing::Test {
 protected:
  WizardRun() {
    h.showFormNow = [this] { shownGrids.push_back(sc->View().scores); };
    sc = &h.Make();
    sc->OnInitDialog();
    sc->View().course.Type("Elm");
    sc->View().date = "2003-09-01";
    sc->AddScore();
    sc->SelectRow(0);
    sc->View().course.Type("Oak");
    for (int hole = 1; hole <= kHoles; ++hole) {
      const std::string n = std::to_string(hole);
      const int i = hole - 1;
      sc->View().pars[i] = "par" + n;
      sc->View().scores[i] = "s" + n;
      sc->View().drives[i] = "d" + n;
      sc->View().clubs[i].Type("c" + n);
      sc->View().putts[i] = "p" + n;
    }
    ReadForm(sc->View(), before);
  }

  void Queue(std::initializer_list<Step> steps) {
    h.wizardWindow.steps.insert(h.wizardWindow.steps.end(), steps);
  }
  // A showing that notes what the window shows as it opens, then closes with `close`.
  Step Seeing(Step close) {
    return [this, close = std::move(close)](ScoreWizard& wizard) {
      seen.push_back(wizard.View());
      return close(wizard);
    };
  }
  const std::string& Cell(int column) const { return sc->Values().working[column]; }

  ScorecardHarness h;
  Scorecard* sc = nullptr;
  FormValues before;
  std::vector<HoleTexts> shownGrids;
  std::vector<WizardView> seen;
};

TEST_F(WizardRun, OkOnHoleOne_changesOnlyHoleOneAndAddsNoRound) {
  Queue({Pressing({"Score 7", "Drive 150", "Wood 5", "Putts 3"}, Ok)});
  sc->RunWizard();
  FormValues expected = before;
  expected.working[ScoreColumn(1)] = "7";
  expected.working[DriveColumn(1)] = "150";
  expected.working[ClubColumn(1)] = "5W";
  expected.working[PuttsColumn(1)] = "3";
  EXPECT_EQ(sc->Values().working, expected.working);
  EXPECT_EQ(sc->Values().pars, expected.pars);
  EXPECT_EQ(sc->View().clubs[0].Text(), "5W");
  EXPECT_THAT(h.wizardWindow.shownHoles, ElementsAre(1));
  EXPECT_EQ(sc->Rounds().Table().RowCount(), 1);
  EXPECT_EQ(sc->View().roundCount, 1);
  EXPECT_TRUE(shownGrids.empty());
}

TEST_F(WizardRun, Next_storesTheHoleShowsItAtOnceAndOpensTheNextWithItsGridValues) {
  Queue({Pressing({"Score 4"}, Next), [this](ScoreWizard& wizard) {
           // Hole 1 is already in the grid on screen while hole 2 is open.
           EXPECT_EQ(shownGrids.size(), 1u);
           EXPECT_EQ(sc->View().scores[0], "4");
           const WizardView& view = wizard.View();
           EXPECT_EQ(view.holeLabel, "Hole 2:");
           EXPECT_EQ(view.par, "par2");
           EXPECT_EQ(view.score, "s2");
           EXPECT_EQ(view.drive, "d2");
           EXPECT_EQ(view.club.Text(), "c2");
           EXPECT_EQ(view.putts, "p2");
           return Ok(wizard);
         }});
  sc->RunWizard();
  EXPECT_THAT(h.wizardWindow.shownHoles, ElementsAre(1, 2));
  EXPECT_EQ(Cell(ScoreColumn(1)), "4");
  EXPECT_EQ(Cell(ScoreColumn(2)), "s2");
  EXPECT_EQ(sc->Values().pars, before.pars);
}

TEST_F(WizardRun, NavigationButtons_offeredOnlyInsideTheCardAndBackOnEighteenLeadsToSeventeen) {
  Queue({Seeing(Next)});
  for (int hole = 2; hole < 18; ++hole)
    Queue({Next});
  Queue({Seeing(Back), Seeing(Ok)});
  sc->RunWizard();
  std::vector<int> expectedHoles;
  for (int hole = 1; hole <= 18; ++hole)
    expectedHoles.push_back(hole);
  expectedHoles.push_back(17);
  EXPECT_EQ(h.wizardWindow.shownHoles, expectedHoles);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_FALSE(seen[0].backEnabled);
  EXPECT_TRUE(seen[0].nextEnabled);
  EXPECT_EQ(seen[1].holeLabel, "Hole 18:");
  EXPECT_TRUE(seen[1].backEnabled);
  EXPECT_FALSE(seen[1].nextEnabled);
  EXPECT_EQ(seen[2].holeLabel, "Hole 17:");
  EXPECT_TRUE(seen[2].backEnabled && seen[2].nextEnabled);
  EXPECT_EQ(shownGrids.size(), 18u);
  EXPECT_EQ(sc->Values().working, before.working);  // nothing typed: every hole went back as it was
}

TEST(ScoreWizard, ClubButtons_writeWoodIronOrDriverAndTheBoxShowsTheListedCode) {
  ScoreWizard wizard{FormValues{}};
  wizard.OnInitDialog();
  EXPECT_EQ(wizard.View().club.Entries().size(), 17u);
  const std::pair<const char*, const char*> presses[] = {
      {"Wood 5", "5W"}, {"Iron 5", "5I"}, {"Driver", "D"}, {"Wood 1", "1W"}, {"Iron 9", "9I"}};
  for (const auto& [name, code] : presses) {
    wizard.OnValueButton(Button(name));
    EXPECT_EQ(wizard.Values().club, code);
    EXPECT_EQ(wizard.View().club.Text(), code);
    EXPECT_EQ(wizard.View().club.Entries()[wizard.View().club.Selected()], code);
  }
  // Typed text is taken as typed and shown by the box's rule; "PW" has no button.
  wizard.View().club.Type("pw");
  wizard.View().score = "seven";
  wizard.OnValueButton(Button("Putts 2"));
  EXPECT_EQ(wizard.Values().club, "pw");
  EXPECT_EQ(wizard.View().club.Text(), "PW");
  EXPECT_EQ(wizard.Values().score, "seven");
  wizard.View().club.Type("7 iron");
  wizard.OnOK();
  EXPECT_EQ(wizard.Values().club, "7 iron");
}

TEST_F(WizardRun, SecondOne_showsTheNoteForTheRestOfTheRunButNotTheNext) {
  sc->View().scores[2] = "1";                     // hole 3 already has a one
  Queue({Pressing({"Score 1"}, Seeing(Escape)),   // hole 1: one press, no note
         Pressing({"Score 1", "Putts 1"}, Next),  // the second press
         Seeing(Back),                            // hole 2
         Seeing(Next),                            // hole 1 again
         Seeing(Next),                            // hole 2
         Ok});                                    // hole 3
  sc->RunWizard();
  std::vector<std::string> notes;
  for (const WizardView& view : seen)
    notes.push_back(view.note);
  EXPECT_THAT(notes, ElementsAre("", "Hole in 1!", "Hole in 1!", "Hole in 1!"));
  EXPECT_EQ(Cell(ScoreColumn(1)), "1");

  // A new run starts without it; a hole whose score already reads 1 gives it at the first press.
  seen.clear();
  Queue({Next, Next, Seeing(Escape), Pressing({"Score 1"}, Seeing(Ok))});
  sc->RunWizard();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].note, "");
  EXPECT_EQ(seen[1].note, "Hole in 1!");
}

TEST(ScoreWizard, OnlyTheScoreGroupsOne_givesTheNote) {
  // Each button pressed twice on a hole whose score already reads 1.
  for (const auto& [name, note] : {std::pair{"Putts 1", ""}, std::pair{"Wood 1", ""},
                                   std::pair{"Iron 1", ""}, std::pair{"Score 1", "Hole in 1!"}}) {
    FormValues form;
    form.working[ScoreColumn(1)] = "1";
    ScoreWizard wizard{form};
    wizard.OnInitDialog();
    wizard.OnValueButton(Button(name));
    wizard.OnValueButton(Button(name));
    EXPECT_EQ(wizard.View().note, note) << name;
  }
}

TEST_F(WizardRun, Escape_showsTheSameHoleAgainWithTheValuesLastRead) {
  Queue({[](ScoreWizard& wizard) {
           wizard.View().score = "7x";
           wizard.OnValueButton(Button("Drive 280"));  // reads the typed score
           wizard.View().putts = "3";                  // typed after the last button: dropped
           return Escape(wizard);
         },
         [this](ScoreWizard& wizard) {
           EXPECT_EQ(sc->View().scores[0], "7x");
           EXPECT_EQ(wizard.View().holeLabel, "Hole 1:");
           EXPECT_EQ(wizard.View().score, "7x");
           EXPECT_EQ(wizard.View().drive, "280");
           EXPECT_EQ(wizard.View().putts, "p1");
           wizard.View().putts = "4";
           return Escape(wizard);
         }});
  sc->RunWizard();
  EXPECT_THAT(h.wizardWindow.shownHoles, ElementsAre(1, 1, 1));
  EXPECT_EQ(Cell(ScoreColumn(1)), "7x");
  EXPECT_EQ(Cell(DriveColumn(1)), "280");
  EXPECT_EQ(Cell(PuttsColumn(1)), "p1");  // the last showing's OK read it back unchanged
  EXPECT_EQ(sc->Rounds().Table().RowCount(), 1);
}

}  // namespace
}  // namespace larkspin
