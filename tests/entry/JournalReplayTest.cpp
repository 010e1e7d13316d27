// What a start makes of the journal a session left when it ended without saving: the changes up to
// the last complete one come back through the books, so that closing saves what a clean close
// would have saved and the undo history is the session's; a journal that does not fit the files,
// or cannot be read, is kept aside and told, and never replayed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileInfo>

#include "entry/JournalSession.h"

namespace larkspin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::size_t kChanges = JournalSessionChanges().size();

// A start on the folder of `h`, whose journal holds `journal`.
Scorecard& StartWith(ScorecardHarness& h, const std::string& journal) {
  PrepareFolder(h, true);
  EXPECT_TRUE(WriteFile(h.FilePath(kJournalFileName), journal));
  Scorecard& s = h.Make();
  s.OnInitDialog();
  s.TellJournalAtStart();
  return s;
}

std::string Kept(const ScorecardHarness& h, const char* name) {
  return QFileInfo(h.FilePath(name)).absoluteFilePath().toStdString();
}

// The journal of the whole session, left as a crash leaves it, and of all but its last change.
struct Crashed {
  std::string whole;
  std::string beforeLast;
};
Crashed CrashedSession() {
  ScorecardHarness h;
  PrepareFolder(h, true);
  RunSession(h, kChanges - 1);
  Crashed crashed{{}, JournalBytes(h)};
  JournalSessionChanges().back()(h);
  crashed.whole = JournalBytes(h);
  return crashed;
}

TEST(JournalReplay, CutAnywhereInItsLastRecord_bringsBackEveryChangeBeforeIt) {
  const Crashed crashed = CrashedSession();
  ASSERT_TRUE(crashed.whole.starts_with(crashed.beforeLast));
  ASSERT_GT(crashed.whole.size(), crashed.beforeLast.size());
  const CleanClose all = CleanCloseAfter(kChanges);
  const CleanClose allButLast = CleanCloseAfter(kChanges - 1);
  ASSERT_NE(all.state, allButLast.state);

  for (std::size_t cut = crashed.beforeLast.size(); cut <= crashed.whole.size(); ++cut) {
    SCOPED_TRACE("cut at byte " + std::to_string(cut) + " of " +
                 std::to_string(crashed.whole.size()));
    const bool whole = cut == crashed.whole.size();
    const CleanClose& expected = whole ? all : allButLast;
    ScorecardHarness h;
    Scorecard& s = StartWith(h, crashed.whole.substr(0, cut));
    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_EQ(h.prompter.messages[0].title, "Larkspin");
    EXPECT_THAT(h.prompter.messages[0].text,
                StartsWith("Larkspin ended without saving last time. The " +
                           std::to_string(whole ? kChanges : kChanges - 1) +
                           " changes made then were recovered. The last one was made on "));
    EXPECT_EQ(StateOf(s), expected.state);
    EXPECT_EQ(QDir(h.dir.path()).entryList({"*.unapplied*"}), QStringList());
  }
}

TEST(JournalReplay, DamageBeforeItsEnd_bringsBackWhatCameBeforeAndKeepsTheJournal) {
  const Crashed crashed = CrashedSession();
  const JournalContents contents{std::string(crashed.whole)};
  ASSERT_EQ(contents.Records().size(), kChanges);
  std::string damaged = crashed.whole;
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
  const std::string journal = CrashedSession().whole;
  struct Case {
    const char* name;
    std::string journal;
    const char* changedRounds;  // what another program left in lks.dat
    int rounds;                 // what the files hold
    const char* taken;          // a journal kept aside before
    std::string told;           // after "Larkspin ended without saving last time. "
    const char* kept;
  };
  const Case cases[] = {
      {"OtherRounds", journal, "COURSE=Elsewhere\r\n", 1, nullptr,
       "The 15 changes made then were not applied, as lks.dat has changed since.",
       ".larkspin.journal.unapplied"},
      {"NotAJournal", "COURSE=Pine\r\n", nullptr, 3, nullptr,
       "The journal of the changes made then could not be read (it is not a Larkspin journal).",
       ".larkspin.journal.unapplied"},
      {"HeaderDamaged", journal.substr(0, 20), nullptr, 3, ".larkspin.journal.unapplied",
       "The journal of the changes made then could not be read (its first record, which names "
       "the files it continues, is damaged).",
       ".larkspin.journal.unapplied.2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScorecardHarness h;
    PrepareFolder(h, true);
    if (c.changedRounds) {
      ASSERT_TRUE(WriteFile(h.FilePath("lks.dat"), c.changedRounds));
    }
    if (c.taken) {
      ASSERT_TRUE(WriteFile(h.FilePath(c.taken), "before"));
    }
    ASSERT_TRUE(WriteFile(h.FilePath(kJournalFileName), c.journal));
    Scorecard& s = h.Make();
    s.OnInitDialog();
    s.TellJournalAtStart();

    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_EQ(h.prompter.messages[0].title, "Larkspin");
    EXPECT_EQ(h.prompter.messages[0].text, "Larkspin ended without saving last time. " + c.told +
                                               " It is kept as " + Kept(h, c.kept) + ".");
    EXPECT_EQ(ReadWholeFile(h.FilePath(c.kept)), c.journal);
    if (c.taken) {
      EXPECT_EQ(ReadWholeFile(h.FilePath(c.taken)), "before");
    }
    EXPECT_FALSE(s.History().CanUndo());
    EXPECT_EQ(s.Rounds().Table().RowCount(), c.rounds);
    EXPECT_FALSE(QFileInfo::exists(h.FilePath(kJournalFileName)));
    // The files as they are, and a journal of this session's own changes from them.
    TypeRound(s, "Cedar", "4");
    s.AddScore();
    EXPECT_THAT(ClosedFiles(h), HasSubstr("COURSE=Cedar\r\n"));
    EXPECT_FALSE(QFileInfo::exists(h.FilePath(kJournalFileName)));
  }
}

}  // namespace
}  // namespace larkspin::testing
