// lks.dat changed by another program while the window is open (a sync client, an editor, a backup
// restored) is never written over without being kept; the harness (FaultInjectionTest) checks the
// kept copy and the box. courses.dat is kept by the same code.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <functional>

#include "entry/RoundTestSupport.h"

namespace larkspin::testing {
namespace {

TEST(OutsideChange, FileChangedOrRemovedOutside_isNeverLostAndOnlyAnotherVersionIsTold) {
  const std::string outside = "COURSE=Synced Elsewhere\r\nS1=3\r\n";
  const auto addRound = [](Scorecard& scorecard) {
    scorecard.View().course.Type("Elm Park");
    scorecard.AddScore();
  };
  const struct {
    const char* behaviour;
    std::function<void(ScorecardHarness&, Scorecard&)> meanwhile;
    std::string after;  // what lks.dat then holds, in part
    bool kept;
  } cases[] = {
      {"another version, nothing changed here: it stays as it is",
       [&](ScorecardHarness& h, Scorecard&) {
         ASSERT_TRUE(WriteFileAtomically(h.FilePath("lks.dat"), outside));
       },
       "COURSE=Synced Elsewhere", false},
      {"removed: written again",
       [&](ScorecardHarness& h, Scorecard& scorecard) {
         addRound(scorecard);
         ASSERT_TRUE(QFile::remove(h.FilePath("lks.dat")));
       },
       "COURSE=Elm Park", false},
      {"saved by this window before: not another program's",
       [&](ScorecardHarness& h, Scorecard& scorecard) {
         addRound(scorecard);
         ASSERT_TRUE(scorecard.SaveRounds());
         h.prompter.defaultAnswer = true;  // the same round again
         addRound(scorecard);
         h.prompter.messages.clear();
       },
       "COURSE=Elm Park", false},
      {"another version and a change here: kept beside",
       [&](ScorecardHarness& h, Scorecard& scorecard) {
         ASSERT_TRUE(WriteFileAtomically(h.FilePath("lks.dat"), outside));
         addRound(scorecard);
       },
       "COURSE=Elm Park", true},
  };
  for (const auto& c : cases) {
    ScorecardHarness h;
    ASSERT_TRUE(WriteFileAtomically(h.FilePath("lks.dat"), "COURSE=Pine Hills\r\nS1=4\r\n"));
    Scorecard& scorecard = h.Make();
    scorecard.OnInitDialog();
    c.meanwhile(h, scorecard);
    EXPECT_TRUE(scorecard.SaveRounds()) << c.behaviour;
    EXPECT_NE(ReadWholeFile(h.FilePath("lks.dat")).value_or("").find(c.after), std::string::npos)
        << c.behaviour;
    EXPECT_EQ(h.prompter.messages.size(), c.kept ? 1u : 0u) << c.behaviour;
    EXPECT_EQ(ReadWholeFile(h.FilePath("lks.dat.changed-outside")),
              c.kept ? std::optional(outside) : std::nullopt)
        << c.behaviour;
  }
}

}  // namespace
}  // namespace larkspin::testing
