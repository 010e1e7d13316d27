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

}  // namespace
}  // namespace larkspin::testing
