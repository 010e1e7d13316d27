// The journal under failing system calls: each call the session's journal makes failed in turn is
// told once, the session goes on with every change, and what the journal holds still brings back
// the changes it holds; a close that saves one file and not the other leaves a journal that brings
// back the rest.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QtGlobal>
#include <cstdio>

#include "entry/JournalSession.h"

#ifdef Q_OS_UNIX
#include "DiskFileDetails.h"
#include "support/FaultInjection.h"

namespace larkspin::testing {
namespace {

using ::testing::StartsWith;

const std::size_t kChanges = JournalSessionChanges().size();

std::string Native(const QString& path) {
  return QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
}

TEST(JournalUnderFaults, EachCallFailing_isToldOnceAndLosesNothingTheJournalHolds) {
  std::vector<SessionState> prefixes;
  for (std::size_t count = 0; count <= kChanges; ++count)
    prefixes.push_back(CleanCloseAfter(count).state);
  const std::string cleanFiles = CleanCloseAfter(kChanges).files;
  int walked = 0, injected = 0, toldCount = 0, silent = 0;

  for (const int error : {EIO, ENOSPC, EINTR}) {
    const std::set<std::string> failing =
        error == EINTR ? std::set<std::string>{"open", "read", "write"} : FaultInjector::AllCalls();
    for (int call = 1;; ++call) {
      ScorecardHarness h;
      PrepareFolder(h, true);
      Scorecard& s = h.Make();
      s.OnInitDialog();
      std::string failed;
      bool durable = false;
      {
        FaultInjector inject(call, error, failing);
        for (const auto& change : JournalSessionChanges()) {
          change(h);
          s.TellJournalFailure();  // as the window does after each command
        }
        if (!inject.Injected()) {
          walked = std::max(walked, inject.Calls());
          break;
        }
        failed = inject.InjectedCall().name + " of " + inject.InjectedCall().path;
        // The imports' reading of their files has tests of its own.
        if (!inject.InjectedCall().path.starts_with(Native(h.FilePath(kJournalFileName)))) {
          continue;
        }
        durable = inject.WrittenDurably(Native(h.FilePath(kJournalFileName)));
      }
      SCOPED_TRACE(std::string(strerror(error)) + " at call " + std::to_string(call) + ", " +
                   failed);
      ++injected;
      // A crash now: the next start brings back the changes before the failure.
      ScorecardHarness next;
      const SessionState recovered = StateOf(StartWith(next, JournalBytes(h)));
      const auto prefix = std::find(prefixes.begin(), prefixes.end(), recovered);
      EXPECT_NE(prefix, prefixes.end()) << ::testing::PrintToString(recovered);
      durable = durable && recovered == prefixes.back();

      // Told exactly when a change is not protected, and then once.
      std::vector<std::string> told;
      for (const Message& message : h.prompter.messages) {
        if (message.title == "Larkspin") told.push_back(message.text);
      }
      ++(told.empty() ? silent : toldCount);
      EXPECT_EQ(told.empty(), durable);
      EXPECT_TRUE(error != EINTR || told.empty()) << "an interrupted call is tried again";
      if (!told.empty()) {
        EXPECT_EQ(told, std::vector<std::string>{
                            "Changes are not protected against a crash: the journal " +
                            Native(h.FilePath(kJournalFileName)) + " could not be written (" +
                            SystemReason(error).toStdString() +
                            "). They are still saved when Larkspin closes."});
      }
      EXPECT_EQ(StateOf(s), prefixes.back()) << "the session goes on with every change";
      EXPECT_EQ(QDir(h.dir.path()).entryList({"*.saving-*"}, QDir::Files | QDir::Hidden),
                QStringList());
      EXPECT_EQ(ClosedFiles(h), cleanFiles);
      EXPECT_FALSE(QFileInfo::exists(h.FilePath(kJournalFileName)));
    }
  }
  std::printf("[ harness  ] journal: %d calls walked, %d faults injected, %d told, %d silent\n",
              walked, injected, toldCount, silent);
}

TEST(JournalUnderFaults, ACloseThatSavesOneFileOfTwo_leavesAJournalThatBringsBackTheOther) {
  // Which rename of a close puts lks.dat in place.
  int roundsRename = 0;
  for (int call = 1; roundsRename == 0; ++call) {
    ScorecardHarness h;
    PrepareFolder(h, true);
    RunSession(h, kChanges);
    FaultInjector inject(call, EIO, {"rename"});
    h.prompter.answers = {false};
    h.scorecard->OnDestroy();
    ASSERT_TRUE(inject.Injected()) << "no rename of lks.dat";
    if (inject.InjectedCall().to == Native(h.FilePath("lks.dat"))) roundsRename = call;
  }

  ScorecardHarness h;
  PrepareFolder(h, true);
  Scorecard& s = RunSession(h, kChanges);
  const std::string roundsBefore = ReadWholeFile(h.FilePath("lks.dat")).value_or("");
  {
    FaultInjector inject(roundsRename, EIO, {"rename"});
    h.prompter.answers = {false};  // the window stays open
    ASSERT_FALSE(s.OnDestroy());
  }
  ASSERT_EQ(ReadWholeFile(h.FilePath("lks.dat")), roundsBefore);
  ASSERT_NE(ReadWholeFile(h.FilePath("courses.dat")), TestDataBytes("report_courses.dat"));
  // More changes, and undoing one the saved courses.dat already holds.
  Typed(h, "After", "3").AddScore();
  s.Undo();
  s.Undo();
  s.Undo();
  ASSERT_EQ(s.History().RedoText(), "Redo Import");

  // A crash: the next start finds the files as they are and the journal.
  ScorecardHarness next;
  for (const char* name : {"lks.dat", "courses.dat", kJournalFileName}) {
    ASSERT_TRUE(WriteFile(next.FilePath(name), ReadWholeFile(h.FilePath(name)).value_or("")));
  }
  next.services.journal = true;
  Scorecard& r = next.Make();
  r.OnInitDialog();
  r.TellJournalAtStart();
  ASSERT_EQ(next.prompter.messages.size(), 1u);
  EXPECT_THAT(next.prompter.messages[0].text,
              StartsWith("Larkspin ended without saving last time. The " +
                         std::to_string(kChanges + 4) + " changes made then were recovered."));
  EXPECT_EQ(StateOf(r).tables, StateOf(s).tables);
  EXPECT_EQ(ClosedFiles(next), ClosedFiles(h));
}

// After a start that replayed a journal, a close whose save writes no file leaves that journal as
// it is, so a second crash still brings back the tables and the undo history.
TEST(JournalUnderFaults, ACloseThatSavesNoFileAfterARecoveredStart_keepsTheJournalAsItIs) {
  ScorecardHarness crashed;
  PrepareFolder(crashed, true);
  RunSession(crashed, 0);
  for (const std::size_t roundsOnly : {1, 2, 3})  // Add Score, a sort, Update Score
    JournalSessionChanges()[roundsOnly](crashed);

  ScorecardHarness h;
  Scorecard& s = StartWith(h, JournalBytes(crashed));
  const std::string journal = JournalBytes(h);
  {
    FaultInjector inject(1, EIO, {"rename"});
    h.prompter.answers = {false};  // the window stays open
    ASSERT_FALSE(s.OnDestroy());
    ASSERT_TRUE(inject.Injected());
    ASSERT_EQ(inject.InjectedCall().to, Native(h.FilePath("lks.dat")));
  }
  EXPECT_EQ(JournalBytes(h), journal);

  ScorecardHarness next;
  for (const char* name : {"lks.dat", "courses.dat", kJournalFileName}) {
    ASSERT_TRUE(WriteFile(next.FilePath(name), ReadWholeFile(h.FilePath(name)).value_or("")));
  }
  next.services.journal = true;
  Scorecard& r = next.Make();
  r.OnInitDialog();
  EXPECT_EQ(StateOf(r), StateOf(s));
  EXPECT_EQ(s.History().UndoText(), "Undo Update Score");
}

}  // namespace
}  // namespace larkspin::testing
#endif
