// The journal on the disk: a session's changes are there before each is done and gone once the
// files are saved; a start tells one that continues the files read from one that does not, and
// keeps every journal it does not apply; any failed call is told with its reason and stops the
// journal, never a crash.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtGlobal>

#include "DataFileKeeper.h"
#include "DiskFileDetails.h"
#include "JournalAtStart.h"
#include "JournalWriter.h"
#include "support/Files.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include "support/FaultInjection.h"
#endif

namespace larkspin {
namespace {

using Outcome = JournalAtStart::Outcome;
using testing::ReadFile;
using testing::WriteFile;

const std::vector<FileFingerprint> kFiles = {FingerprintOf("lks.dat", "COURSE=Pine\r\n"),
                                             NothingRead("courses.dat")};

JournalEntry Change(std::uint32_t kind) {
  JournalEntry entry(kind, 1'700'000'000'000 + kind);
  entry.Add("COURSE=Pine\r\n");
  entry.Add(std::string(1, '\0'));
  return entry;
}

TEST(JournalFile, Session_isOnTheDiskAsItGoesAndGoneOnceSaved) {
  QTemporaryDir dir;
  const QString path = dir.filePath(".larkspin.journal");
  EXPECT_EQ(ReadJournal(dir.path(), kFiles).outcome, Outcome::kNone);
  {
    JournalWriter journal(dir.path());
    ASSERT_TRUE(journal.Start(kFiles));
    ASSERT_TRUE(journal.Append(Change(1)));
    ASSERT_TRUE(journal.Append(Change(2)));
    EXPECT_TRUE(journal.Writing());
    EXPECT_FALSE(journal.TakeFailure());
  }  // a crash: the journal stays

  JournalAtStart found = ReadJournal(dir.path(), kFiles);
  ASSERT_EQ(found.outcome, Outcome::kContinues);
  ASSERT_EQ(found.contents.Records().size(), 2u);
  EXPECT_EQ(found.contents.Records()[1].kind, 2u);
  EXPECT_EQ(found.contents.LastChangeTime().toMSecsSinceEpoch(), 1'700'000'000'002);
  EXPECT_EQ(ReadJournal(dir.path(), {FingerprintOf("lks.dat", "")}).outcome, Outcome::kOtherFiles);

  // The next session goes on from the whole records, without the one a second crash cut short.
  ASSERT_TRUE(WriteFile(path, ReadFile(path) + QByteArray::fromStdString(
                                                   std::string(Change(3).Bytes()).substr(0, 20))));
  found = ReadJournal(dir.path(), kFiles);
  ASSERT_EQ(found.contents.TailState(), JournalContents::Tail::kTorn);
  JournalWriter next(dir.path());
  ASSERT_TRUE(next.Resume(found.contents));
  ASSERT_TRUE(next.Append(Change(4)));
  found = ReadJournal(dir.path(), kFiles);
  ASSERT_EQ(found.contents.Records().size(), 3u);
  EXPECT_EQ(found.contents.Records()[2].kind, 4u);
  EXPECT_EQ(found.contents.TailState(), JournalContents::Tail::kNone);

  EXPECT_TRUE(next.Remove());
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_FALSE(next.Append(Change(5)));
  EXPECT_EQ(ReadJournal(dir.path(), kFiles).outcome, Outcome::kNone);
  EXPECT_TRUE(JournalWriter(dir.path()).Remove()) << "nothing to remove";
}

TEST(JournalFile, JournalThatCannotBeRead_isToldWithTheReason) {
  const struct {
    const char* behaviour;
    QByteArray bytes;  // or a folder, for "<folder>"
    const char* reason;
  } cases[] = {
      {"a folder", "<folder>", "it is a folder, not a file"},
      {"not a journal", "COURSE=Pine\r\n", "it is not a Larkspin journal"},
      {"header cut short", "LKSJ\x01\x12\x00",
       "its first record, which names the files it "
       "continues, is damaged"},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    const QString path = dir.filePath(".larkspin.journal");
    ASSERT_TRUE(c.bytes == "<folder>" ? QDir(dir.path()).mkdir(".larkspin.journal")
                                      : WriteFile(path, c.bytes));
    const JournalAtStart found = ReadJournal(dir.path(), kFiles);
    EXPECT_EQ(found.outcome, Outcome::kUnreadable) << c.behaviour;
    EXPECT_EQ(found.reason.toStdString(), c.reason) << c.behaviour;
    // Kept, whatever it is.
    EXPECT_EQ(KeepJournalUnapplied(dir.path()), path + ".unapplied") << c.behaviour;
  }
}

TEST(JournalFile, JournalNotApplied_isKeptUnderTheNextFreeNameBesideEveryEarlierOne) {
  const struct {
    QStringList earlier;
    const char* kept;
  } cases[] = {
      {{}, ".larkspin.journal.unapplied"},
      {{".larkspin.journal.unapplied"}, ".larkspin.journal.unapplied.2"},
      {{".larkspin.journal.unapplied", ".larkspin.journal.unapplied.2"},
       ".larkspin.journal.unapplied.3"},
      {{".larkspin.journal.unapplied", ".larkspin.journal.unapplied.3"},
       ".larkspin.journal.unapplied.2"},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    for (const QString& name : c.earlier)
      ASSERT_TRUE(WriteFile(dir.filePath(name), name.toUtf8()));
    ASSERT_TRUE(WriteFile(dir.filePath(".larkspin.journal"), "this one"));
    EXPECT_EQ(KeepJournalUnapplied(dir.path()), dir.filePath(c.kept));
    EXPECT_EQ(ReadFile(dir.filePath(c.kept)), "this one");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(".larkspin.journal")));
    for (const QString& name : c.earlier)
      EXPECT_EQ(ReadFile(dir.filePath(name)), name.toUtf8());
  }
}

TEST(JournalFile, Failure_isToldOnceInTheWindowsWords) {
  EXPECT_EQ(JournalFailureMessage(QStringLiteral("/home/ann/golf/.larkspin.journal"),
                                  QStringLiteral("No space left on device")),
            "Changes are not protected against a crash: the journal "
            "/home/ann/golf/.larkspin.journal could not be written (No space left on device). "
            "They are still saved when Larkspin closes.");
}

// The data file reader hands the journal the fingerprint of the very bytes it read.
TEST(JournalFile, DataFileKeeper_fingerprintsTheBytesItRead) {
  const struct {
    const char* behaviour;
    QByteArray bytes;  // "<folder>": a folder stands at the name
    bool read;
  } cases[] = {
      {"a file", QByteArray("COURSE=Pine\r\n\x1A\0tail", 19), true},
      {"missing: made empty", QByteArray(), true},
      {"a folder", "<folder>", false},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lks.dat");
    if (c.bytes == "<folder>") {
      ASSERT_TRUE(QDir(dir.path()).mkdir("lks.dat"));
    } else if (!c.bytes.isEmpty()) {
      ASSERT_TRUE(WriteFile(path, c.bytes));
    }
    // Held whole or read a piece at a time; the fingerprint worked out when asked for, or on a
    // thread of its own begun before.
    for (const bool inPieces : {false, true}) {
      for (const bool onThread : {false, true}) {
        DataFileKeeper keeper(path, "round");
        keeper.SetFingerprinted(true);
        if (inPieces) {
          keeper.ReadInPieces([](std::string_view) {});
        } else {
          keeper.Read();
        }
        keeper.Loaded(0, 0);
        if (onThread) keeper.StartFingerprint();
        EXPECT_EQ(keeper.Fingerprint(),
                  c.read ? FingerprintOf("lks.dat", c.bytes.toStdString()) : NothingRead("lks.dat"))
            << c.behaviour << (inPieces ? " in pieces" : "") << (onThread ? " on a thread" : "");
      }
    }
    // Dropped while its thread may still be reading: it ends cleanly.
    DataFileKeeper dropped(path, "round");
    dropped.SetFingerprinted(true);
    dropped.ReadInPieces([](std::string_view) {});
    dropped.StartFingerprint();
  }
}

// The file is read again for its fingerprint when the journal first needs it; replaced in between,
// while it was being read or after, it is named by no fingerprint at all, neither as it was read
// nor as it is now.
TEST(JournalFile, DataFileKeeper_namesNoFileReplacedBeforeItsFingerprint) {
  const QByteArray before = "COURSE=Pine\r\n";
  const QByteArray after = "COURSE=Elm\r\n";
  for (const bool whileRead : {true, false}) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lks.dat");
    ASSERT_TRUE(WriteFile(path, before));
    DataFileKeeper keeper(path, "round");
    keeper.SetFingerprinted(true);
    keeper.ReadInPieces([&](std::string_view) {
      if (whileRead) {
        ASSERT_TRUE(WriteFileAtomically(path, after.toStdString()));
      }
    });
    keeper.Loaded(1, 0);
    if (!whileRead) {
      ASSERT_TRUE(WriteFileAtomically(path, after.toStdString()));
    }
    const FileFingerprint& fingerprint = keeper.Fingerprint();
    EXPECT_NE(fingerprint, FingerprintOf("lks.dat", before.toStdString())) << whileRead;
    EXPECT_NE(fingerprint, FingerprintOf("lks.dat", after.toStdString())) << whileRead;
    EXPECT_NE(fingerprint, NothingRead("lks.dat")) << whileRead;
  }
}

#ifdef Q_OS_UNIX
// Every call of a session's journal (start, two changes, removal) failed in turn, with EIO,
// ENOSPC, EACCES, and interrupted by a signal.
TEST(JournalFile, EveryFailedCall_isToldWithItsReasonAndStopsTheJournal) {
  int walked = 0;
  {
    QTemporaryDir dir;
    testing::FaultInjector watch;
    JournalWriter journal(dir.path());
    const std::string path = QFile::encodeName(journal.Path()).toStdString();
    ASSERT_TRUE(journal.Start(kFiles));
    ASSERT_TRUE(watch.RenamedDurably(path));
    for (std::uint32_t kind = 1; kind <= 2; ++kind) {
      ASSERT_TRUE(journal.Append(Change(kind)));
      ASSERT_TRUE(watch.WrittenDurably(path)) << "on the disk before the change is done";
    }
    ASSERT_TRUE(journal.Remove());
    walked = watch.Calls();
  }
  int injected = 0;
  for (const int error : {EIO, ENOSPC, EACCES, EINTR}) {
    const std::set<std::string> failing = error == EINTR
                                              ? std::set<std::string>{"open", "read", "write"}
                                              : testing::FaultInjector::AllCalls();
    for (int call = 1;; ++call) {
      QTemporaryDir dir;
      JournalWriter journal(dir.path());
      int done = 0;  // changes said to be on the disk
      bool removing = false;
      bool removed = false;
      QString removeError;
      std::string failed;
      {
        testing::FaultInjector inject(call, error, failing);
        if (journal.Start(kFiles)) {
          EXPECT_TRUE(inject.RenamedDurably(QFile::encodeName(journal.Path()).toStdString()));
          for (std::uint32_t kind = 1; kind <= 2 && journal.Append(Change(kind)); ++kind)
            ++done;
        }
        if (done > 0) {
          EXPECT_TRUE(inject.WrittenDurably(QFile::encodeName(journal.Path()).toStdString()) ||
                      !journal.Writing());
        }
        if (!journal.Writing()) {
          // Stopped: nothing more reaches the system.
          const int calls = inject.Calls();
          EXPECT_FALSE(journal.Append(Change(3)));
          EXPECT_EQ(inject.Calls(), calls);
        } else {
          removing = true;
          removed = journal.Remove(&removeError);
        }
        if (!inject.Injected()) break;
        failed = inject.InjectedCall().name + " of " + inject.InjectedCall().path;
        ++injected;
      }
      SCOPED_TRACE(std::string(strerror(error)) + " at call " + std::to_string(call) + ", " +
                   failed);
      const QString reason = SystemReason(error);
      EXPECT_EQ(journal.Failed(), !removing);
      if (removing) {
        // Nothing failed before the removal: every change was on the disk.
        EXPECT_EQ(done, 2);
        EXPECT_TRUE(removed || removeError.contains(reason)) << removeError.toStdString();
        continue;
      }
      EXPECT_NE(error, EINTR) << "an interrupted call is tried again";
      EXPECT_TRUE(journal.Reason().contains(reason)) << journal.Reason().toStdString();
      EXPECT_EQ(journal.TakeFailure(), journal.Reason());
      EXPECT_EQ(journal.TakeFailure(), std::nullopt) << "told once";
      // What is on the disk gives back every change that was said to be there, and at most the
      // one being written when the call failed.
      const JournalAtStart found = ReadJournal(dir.path(), kFiles);
      if (found.outcome == Outcome::kNone) {
        EXPECT_EQ(done, 0);
        continue;
      }
      ASSERT_EQ(found.outcome, Outcome::kContinues);
      const std::size_t records = found.contents.Records().size();
      EXPECT_GE(records, static_cast<std::size_t>(done));
      EXPECT_LE(records, static_cast<std::size_t>(done) + 1);
    }
  }
  std::printf("[ harness  ] journal: %d calls walked, %d faults injected\n", walked, injected);
}
#endif

}  // namespace
}  // namespace larkspin
