// What a start makes of the journal a session left when it ended without saving: the changes up to
// the last complete one come back through the books, so that closing saves what a clean close
// would have saved and the undo history is the session's; a journal that does not fit the files,
// or cannot be read, is kept aside and told, and never replayed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileInfo>

#include "JournalAtStart.h"
#include "entry/JournalSession.h"

namespace larkspin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::size_t kChanges = JournalSessionChanges().size();

std::string Kept(const ScorecardHarness& h, const char* name) {
  return QFileInfo(h.FilePath(name)).absoluteFilePath().toStdString();
}

// The journal of the whole session, left as a crash leaves it.
std::string CrashedSession() {
  ScorecardHarness h;
  PrepareFolder(h, true);
  RunSession(h, kChanges);
  return JournalBytes(h);
}

TEST(JournalReplay, CutAnywhereInItsLastRecord_bringsBackEveryChangeBeforeIt) {
  const std::string whole = CrashedSession();
  const JournalContents contents{std::string(whole)};
  ASSERT_EQ(contents.Records().size(), kChanges);
  const CleanClose all = CleanCloseAfter(kChanges);
  const CleanClose allButLast = CleanCloseAfter(kChanges - 1);
  for (std::size_t cut = contents.PartThrough(kChanges - 1).size(); cut <= whole.size(); ++cut) {
    SCOPED_TRACE("cut at byte " + std::to_string(cut) + " of " + std::to_string(whole.size()));
    const bool cutShort = cut < whole.size();
    ScorecardHarness h;
    Scorecard& s = StartWith(h, whole.substr(0, cut));
    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_EQ(h.prompter.messages[0].title, "Larkspin");
    EXPECT_THAT(h.prompter.messages[0].text,
                StartsWith("Larkspin ended without saving last time. The " +
                           std::to_string(kChanges - cutShort) +
                           " changes made then were recovered. The last one was made on "));
    EXPECT_EQ(StateOf(s), (cutShort ? allButLast : all).state);
    EXPECT_EQ(QDir(h.dir.path()).entryList({"*.unapplied*"}), QStringList());
  }
}

TEST(JournalReplay, DamageBeforeItsEnd_bringsBackWhatCameBeforeAndKeepsTheJournal) {
  std::string damaged = CrashedSession();
  const JournalContents contents{std::string(damaged)};
  damaged[contents.PartThrough(5).size() + 20] ^= 0x10;  // in the sixth record

  ScorecardHarness h;
  Scorecard& s = StartWith(h, damaged);
  ASSERT_EQ(h.prompter.messages.size(), 1u);
  EXPECT_THAT(h.prompter.messages[0].text,
              StartsWith("Larkspin ended without saving last time. The 5 changes made then were "
                         "recovered."));
  EXPECT_THAT(h.prompter.messages[0].text,
              HasSubstr(". The rest of the journal could not be read. It is kept as " +
                        Kept(h, ".larkspin.journal.unapplied") + "."));
  EXPECT_EQ(ReadWholeFile(h.FilePath(".larkspin.journal.unapplied")), damaged);
  // The session goes on from the five changes, and a second crash still finds them.
  EXPECT_EQ(JournalBytes(h), std::string(contents.PartThrough(5)));
  const CleanClose expected = CleanCloseAfter(5);
  EXPECT_EQ(StateOf(s), expected.state);
  EXPECT_EQ(ClosedFiles(h), expected.files);
  EXPECT_FALSE(QFileInfo::exists(h.FilePath(kJournalFileName)));
}

TEST(JournalReplay, AJournalThatDoesNotFitTheFiles_isKeptAsideToldAndNotReplayed) {
  struct Case {
    const char* name;
    std::string journal;
    const char* changedRounds;  // what another program left in lks.dat
    int rounds;                 // what the files hold
    std::string told;           // after "Larkspin ended without saving last time. "
  };
  const Case cases[] = {
      {"OtherRounds", CrashedSession(), "COURSE=Elsewhere\r\n", 1,
       "The 15 changes made then were not applied, as lks.dat has changed since."},
      {"NotAJournal", "COURSE=Pine\r\n", nullptr, 3,
       "The journal of the changes made then could not be read (it is not a Larkspin journal)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScorecardHarness h;
    PrepareFolder(h, true);
    if (c.changedRounds) {
      ASSERT_TRUE(WriteFile(h.FilePath("lks.dat"), c.changedRounds));
    }
    ASSERT_TRUE(WriteFile(h.FilePath(kJournalFileName), c.journal));
    Scorecard& s = h.Make();
    s.OnInitDialog();
    s.TellJournalAtStart();

    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_EQ(h.prompter.messages[0].title, "Larkspin");
    EXPECT_EQ(h.prompter.messages[0].text, "Larkspin ended without saving last time. " + c.told +
                                               " It is kept as " +
                                               Kept(h, ".larkspin.journal.unapplied") + ".");
    EXPECT_EQ(ReadWholeFile(h.FilePath(".larkspin.journal.unapplied")), c.journal);
    EXPECT_FALSE(s.History().CanUndo());
    EXPECT_EQ(s.Rounds().Table().RowCount(), c.rounds);
    // The session journals its own changes from the files as they are.
    Typed(h, "Cedar", "4").AddScore();
    EXPECT_EQ(ReadJournal(h.dir.path(), {}).contents.Records().size(), 1u);
    EXPECT_THAT(ClosedFiles(h), HasSubstr("COURSE=Cedar\r\n"));
    EXPECT_FALSE(QFileInfo::exists(h.FilePath(kJournalFileName)));
  }
}

// Journals that Larkspin 1.0 left after a crash, beside the files their sessions began from (made
// by tests/tools/WriteJournalFixture.cpp): every later version replays them to the tables those
// sessions held, so a change of the journal's bytes never strands a golfer's changes.
TEST(JournalReplay, WrittenByAnEarlierVersion_bringsBackTheTablesItsSessionHeld) {
  const struct {
    const char* folder;
    int changes;  // told as recovered
    const char* undo;
    const char* redo;
    int undoSteps;
    int redoSteps;
  } cases[] = {
      // Every kind of change, and undo and redo of some.
      {"written-by-1.0/after-a-session", 18, "Undo Course Ratings", "Redo Add Score", 9, 1},
      // Begun again after a save: the tables as they stood, then one change.
      {"written-by-1.0/after-a-save", 5, "Undo Add Score", "Redo", 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const QDir written(QStringLiteral(LARKSPIN_TEST_DATA "/journal/") + c.folder);
    ScorecardHarness h;
    h.services.journal = true;
    for (const char* name : {"lks.dat", "courses.dat", "ratings.dat"}) {
      ASSERT_TRUE(WriteFile(h.FilePath(name), ReadFile(written.filePath(name))));
    }
    ASSERT_TRUE(WriteFile(h.FilePath(kJournalFileName), ReadFile(written.filePath("journal"))));
    Scorecard& s = h.Make();
    s.OnInitDialog();
    s.TellJournalAtStart();
    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_THAT(h.prompter.messages[0].text,
                StartsWith("Larkspin ended without saving last time. The " +
                           std::to_string(c.changes) + " changes made then were recovered."));
    EXPECT_EQ(s.History().UndoText(), c.undo);
    EXPECT_EQ(s.History().RedoText(), c.redo);

    ASSERT_TRUE(s.OnDestroy());
    for (const char* name : {"lks.dat", "courses.dat", "ratings.dat"}) {
      EXPECT_EQ(ReadWholeFile(h.FilePath(name)), ReadWholeFile(written.filePath("saved/") + name))
          << name;
    }
    int redone = 0, undone = 0;
    for (; s.History().CanRedo(); ++redone)
      s.Redo();
    for (; s.History().CanUndo(); ++undone)
      s.Undo();
    EXPECT_EQ(redone, c.redoSteps);
    EXPECT_EQ(undone - redone, c.undoSteps);
  }
}

}  // namespace
}  // namespace larkspin::testing
