// Every system call of a save and of a start failed in turn, with EIO, ENOSPC and EACCES, and
// interrupted by a signal (EINTR): the old file stays whole or the new one is complete, no
// temporary file is left, a failure is told exactly when the new data is not durable (on the
// disk through a crash), and a start tells exactly what it could not read.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <cstdio>

#include "ReportWalk.h"
#include "entry/RoundTestSupport.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/time.h>

#include "DiskFileDetails.h"
#include "support/FaultInjection.h"
#include "support/Files.h"

namespace larkspin::testing {
namespace {

using ::testing::HasSubstr;

// The calls of the runs without a fault (each one has a fault put on it in turn, once per
// error), runs with a fault, and of those the runs that told the user of a failure and the runs
// that told nothing (the data was durable all the same).
struct Counts {
  int walked = 0, injected = 0, told = 0, silent = 0;
};

// Printed, and kept in the test's XML report (--gtest_output=xml) as "save_walked" and so on.
void Report(const std::string& what, const Counts& counts) {
  for (const auto& [name, count] : {std::pair{"walked", counts.walked},
                                    {"injected", counts.injected},
                                    {"told", counts.told},
                                    {"silent", counts.silent}}) {
    ::testing::Test::RecordProperty(what + "_" + name, count);
  }
  std::printf("[ harness  ] %s: %d calls walked, %d faults injected, %d told, %d silent\n",
              what.c_str(), counts.walked, counts.injected, counts.told, counts.silent);
}

constexpr int kErrors[] = {EIO, ENOSPC, EACCES, EINTR};
std::set<std::string> Failing(int error) {
  return error == EINTR ? std::set<std::string>{"open", "read", "write"}
                        : FaultInjector::AllCalls();
}

std::string Native(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// What stands at `path`: its bytes, "<missing>" or "<fifo>".
std::string Contents(const QString& path) {
  struct stat status {};
  if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return "<missing>";
  if (S_ISFIFO(status.st_mode)) return "<fifo>";
  return ReadFile(path).toStdString();
}

void SetAnHourAgo(const QString& path) {
  const timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
  ASSERT_EQ(::utimes(QFile::encodeName(path).constData(), hourAgo), 0);
}

struct SaveCase {
  const char* name;
  const char* file;    // lks.dat, courses.dat, ratings.dat or report.htm: what the save replaces
  std::string before;  // its bytes when the window opens, or "<fifo>"
  const char* kept;    // where the save keeps it first, if it does
  bool outside;        // another program changes it while the window is open
};
void PrintTo(const SaveCase& save, std::ostream* out) {
  *out << save.name;
}

const SaveCase kSaves[] = {
    {"Rounds", "lks.dat", TestDataBytes("three_rounds.dat"), nullptr, false},
    {"Courses", "courses.dat", TestDataBytes("report_courses.dat"), nullptr, false},
    {"Ratings", "ratings.dat", TestDataBytes("handicap/ratings.dat"), nullptr, false},
    // The file as read is copied aside first: the copy failing half-way keeps the file.
    {"UnreadRoundsCopiedAside", "lks.dat",
     "COURSE=Pine\r\n\x1A"
     "COURSE=Oak\r\n",
     "lks.dat.unread", false},
    // A named pipe is renamed aside: the rename failing keeps it.
    {"PipeRenamedAside", "lks.dat", "<fifo>", "lks.dat.unread", false},
    {"RoundsChangedOutside", "lks.dat", TestDataBytes("three_rounds.dat"),
     "lks.dat.changed-outside", true},
    {"ReportPage", "report.htm", "the page before", nullptr, false},
};

class SaveUnderFaults : public ::testing::TestWithParam<SaveCase> {
 protected:
  // A window opened on the case's file and changed as the user would, just before the save.
  std::unique_ptr<ScorecardHarness> Prepare(std::string& before) const {
    const SaveCase& save = GetParam();
    auto h = std::make_unique<ScorecardHarness>();
    const QString path = h->FilePath(save.file);
    if (save.before == "<fifo>") {
      EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
      EXPECT_TRUE(WriteFile(path, QByteArray::fromStdString(save.before)));
    }
    if (IsReport()) {
      EXPECT_TRUE(WriteFile(h->FilePath("lks.dat"),
                            QByteArray::fromStdString(TestDataBytes("report_rounds.dat"))));
    }
    Scorecard& scorecard = h->Make();
    scorecard.OnInitDialog();
    if (save.outside) {
      EXPECT_TRUE(WriteFile(path, "COURSE=Synced Elsewhere\r\n"));
    }
    scorecard.View().course.Type("Elm Park");
    scorecard.View().period.Type("Eternity");
    if (std::string(save.file) == "courses.dat") scorecard.AddCourse();
    if (std::string(save.file) == "lks.dat") scorecard.AddScore();
    if (std::string(save.file) == "ratings.dat") {
      h->ratingsEditor.TypeValidRatings("Elm Park");
      scorecard.OnCourseRatings();
    }
    h->prompter.messages.clear();
    before = Contents(path);
    return h;
  }
  bool IsReport() const { return std::string(GetParam().file) == "report.htm"; }
  void Save(Scorecard& scorecard) const {
    if (IsReport()) scorecard.OnOverallReport();
    if (std::string(GetParam().file) == "courses.dat") scorecard.SaveCourses();
    if (std::string(GetParam().file) == "lks.dat") scorecard.SaveRounds();
    if (std::string(GetParam().file) == "ratings.dat") scorecard.SaveRatings();
  }

  static void TearDownTestSuite() { Report("save", counts_); }
  static inline Counts counts_;
};

TEST_P(SaveUnderFaults, keepsOldOrNewWholeAndTellsExactlyWhatIsNotDurable) {
  const SaveCase& save = GetParam();
  const std::string_view failureTitle = IsReport() ? kReportFailedTitle : kSaveFailedTitle;
  std::string before;
  std::string after;  // the file as a save without faults leaves it
  {
    auto h = Prepare(before);
    FaultInjector watch;
    Save(*h->scorecard);
    counts_.walked += watch.Calls();
    after = Contents(h->FilePath(save.file));
    ASSERT_NE(after, before);
    ASSERT_TRUE(watch.RenamedDurably(Native(h->FilePath(save.file))));
    // Another program's version, kept, is told with both names.
    ASSERT_EQ(h->prompter.messages.size(), save.outside ? 1u : 0u);
    if (save.outside) {
      EXPECT_EQ(h->prompter.messages[0].title, "File Changed Outside Larkspin");
      EXPECT_EQ(h->prompter.messages[0].text,
                QDir::toNativeSeparators(h->FilePath("lks.dat")).toStdString() +
                    " was changed by another program while Larkspin was open. That version is "
                    "kept as lks.dat.changed-outside beside it, and lks.dat now holds the rounds "
                    "shown in Larkspin.");
    }
  }
  for (const int error : kErrors) {
    for (int call = 1;; ++call) {
      auto h = Prepare(before);
      const QString path = h->FilePath(save.file);
      FaultInjector inject(call, error, Failing(error));
      Save(*h->scorecard);
      if (!inject.Injected()) break;
      SCOPED_TRACE(std::string(strerror(error)) + " at call " + std::to_string(call) + ", " +
                   inject.InjectedCall().name + " of " + inject.InjectedCall().path);
      const std::string now = Contents(path);
      EXPECT_TRUE(now == before || now == after) << now;
      EXPECT_EQ(QDir(h->dir.path()).entryList({QStringLiteral("*.saving-*")}), QStringList());

      const auto& messages = h->prompter.messages;
      const auto failure = std::find_if(messages.begin(), messages.end(),
                                        [&](const Message& m) { return m.title == failureTitle; });
      const bool told = failure != messages.end();
      bool durable = now == after && inject.RenamedDurably(Native(path));
      if (save.kept) {
        const QString kept = h->FilePath(save.kept);
        const bool keptThere = Contents(kept) != "<missing>";
        EXPECT_EQ(keptThere ? Contents(kept) : now, before);
        durable = durable && keptThere && inject.RenamedDurably(Native(kept));
        // The copy failing half-way, or the rename: the file stays as it was, and the box says so.
        if (told && (inject.InjectedCall().path.starts_with(Native(kept)) ||
                     inject.InjectedCall().to == Native(kept))) {
          EXPECT_THAT(failure->text, HasSubstr("could not be kept as " + std::string(save.kept) +
                                               " (" + SystemReason(error).toStdString() +
                                               "), so it was not written over."));
        }
      }
      ++counts_.injected;
      ++(told ? counts_.told : counts_.silent);
      EXPECT_EQ(told, !durable);
      EXPECT_TRUE(error != EINTR || durable) << "an interrupted call is tried again";
      if (told) {
        EXPECT_THAT(failure->text, HasSubstr(QDir::toNativeSeparators(path).toStdString() + ": "));
        EXPECT_THAT(failure->text, HasSubstr(SystemReason(error).toStdString()));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Harness, SaveUnderFaults, ::testing::ValuesIn(kSaves),
                         [](const auto& info) { return std::string(info.param.name); });

// A start reads the data files and removes what an ended save left; it writes nothing.
TEST(StartUnderFaults, tellsExactlyWhatIsNotReadAndChangesNoFile) {
  const std::string rounds = TestDataBytes("three_rounds.dat");
  const std::string courses = TestDataBytes("report_courses.dat");
  const std::string ratings = TestDataBytes("handicap/ratings.dat");
  const auto prepare = [&](ScorecardHarness& h) {
    ASSERT_TRUE(WriteFile(h.FilePath("lks.dat"), QByteArray::fromStdString(rounds)));
    ASSERT_TRUE(WriteFile(h.FilePath("courses.dat"), QByteArray::fromStdString(courses)));
    ASSERT_TRUE(WriteFile(h.FilePath("ratings.dat"), QByteArray::fromStdString(ratings)));
    ASSERT_TRUE(WriteFile(h.FilePath("lks.dat.saving-x3Fq9Z"), QByteArray::fromStdString(rounds)));
    SetAnHourAgo(h.FilePath("lks.dat.saving-x3Fq9Z"));
    ASSERT_TRUE(WriteFile(h.FilePath(".larkspin.lock"), "4242\n"));
  };
  const auto start = [](ScorecardHarness& h) {
    RemoveLeftoverTemporaries(h.dir.path(), {"lks.dat", "courses.dat", "ratings.dat"},
                              h.FilePath(".larkspin.lock"));
    h.Make().OnInitDialog();
    h.scorecard->TellUnreadFiles();
  };
  Counts counts;
  ScorecardHarness clean;
  prepare(clean);
  {
    FaultInjector watch;
    start(clean);
    counts.walked = watch.Calls();
  }
  ASSERT_FALSE(QFileInfo::exists(clean.FilePath("lks.dat.saving-x3Fq9Z")));
  const auto roundRows = DescribeRows(clean.scorecard->Rounds().Table());
  const auto courseRows = clean.scorecard->Courses().Table().RowCount();
  const auto ratingRows = clean.scorecard->Ratings().Table().RowCount();
  ASSERT_EQ(roundRows.size(), 3u);

  for (const int error : kErrors) {
    for (int call = 1;; ++call) {
      ScorecardHarness h;
      prepare(h);
      std::string failed;
      {
        FaultInjector inject(call, error, Failing(error));
        start(h);
        if (!inject.Injected()) break;
        failed = inject.InjectedCall().path;
      }
      SCOPED_TRACE(std::string(strerror(error)) + " at call " + std::to_string(call) + " on " +
                   failed);
      const bool roundsRead = DescribeRows(h.scorecard->Rounds().Table()) == roundRows;
      const bool coursesRead = h.scorecard->Courses().Table().RowCount() == courseRows;
      const bool ratingsRead = h.scorecard->Ratings().Table().RowCount() == ratingRows;
      const auto& messages = h.prompter.messages;
      const bool told = !messages.empty();
      ++counts.injected;
      ++(told ? counts.told : counts.silent);
      EXPECT_EQ(told, !(roundsRead && coursesRead && ratingsRead));
      EXPECT_TRUE(error != EINTR || !told) << "an interrupted call is tried again";
      if (told) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].title, kReadFailedTitle);
        EXPECT_EQ(messages[0].text.find("lks.dat") != std::string::npos, !roundsRead);
        EXPECT_EQ(messages[0].text.find("courses.dat") != std::string::npos, !coursesRead);
        EXPECT_EQ(messages[0].text.find("ratings.dat") != std::string::npos, !ratingsRead);
        EXPECT_THAT(messages[0].text, HasSubstr(SystemReason(error).toStdString()));
      }
      // The leftover stays only when the fault kept it from being looked at or removed.
      EXPECT_EQ(QFileInfo::exists(h.FilePath("lks.dat.saving-x3Fq9Z")),
                failed == Native(h.FilePath("lks.dat.saving-x3Fq9Z")) ||
                    failed == Native(h.FilePath(".larkspin.lock")));
      // Nothing changed at the start, and closing changes nothing either.
      for (const bool closing : {true, false}) {
        EXPECT_TRUE(Contents(h.FilePath("lks.dat")) == rounds);
        EXPECT_TRUE(Contents(h.FilePath("courses.dat")) == courses);
        EXPECT_TRUE(Contents(h.FilePath("ratings.dat")) == ratings);
        EXPECT_TRUE(!closing || h.scorecard->OnDestroy());
      }
    }
  }
  Report("start", counts);
}

}  // namespace
}  // namespace larkspin::testing
#endif
