// lks.dat, courses.dat and ratings.dat that are not read in full: the user is told once when the
// window opens, and the bytes it held are never lost. Unchanged tables leave the file as it was; a
// changed table keeps the file as it was beside it (".unread") before it is replaced.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <functional>
#include <random>

#include "entry/RoundTestSupport.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace larkspin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct DataFileCase {
  const char* name;
  // Changes the table the file holds, as the user would.
  std::function<void(Scorecard&)> change;
};

void PrintTo(const DataFileCase& file, std::ostream* out) {
  *out << file.name;
}

const DataFileCase kRoundFile{"lks.dat", [](Scorecard& scorecard) {
                                scorecard.View().course.Type("Elm Park");
                                scorecard.AddScore();
                              }};
const DataFileCase kCourseFile{"courses.dat", [](Scorecard& scorecard) {
                                 scorecard.View().course.Type("Elm Park");
                                 scorecard.AddCourse();
                               }};
// With the harness's "Course Ratings" dialog typing Elm Park's ratings.
const DataFileCase kRatingsFile{"ratings.dat",
                                [](Scorecard& scorecard) { scorecard.OnCourseRatings(); }};

std::string Utf16(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

std::string RandomBytes(std::size_t count) {
  std::mt19937 random(20031016);
  std::string bytes(count, '\0');
  for (auto& byte : bytes)
    byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

struct OddContent {
  const char* behaviour;
  std::string bytes;
  const char* told;  // what the box says was not read
};
void PrintTo(const OddContent& content, std::ostream* out) {
  *out << content.behaviour;
}

std::vector<OddContent> OddContents() {
  const std::string record = "CREATOR=LARKSP 1.0\r\nCOURSE=Pine Hills\r\nS1=4\r\n";
  return {
      {"CrOnlyLineEnds", "CREATOR=LARKSP 1.0\rCOURSE=Pine Hills\rS1=4\rS2=5\r", "could be read"},
      {"Utf16", Utf16(record), "could be read"},
      // These hold a control-Z early on.
      {"RandomBytes", RandomBytes(64 * 1024), "bytes after the control-Z character at byte 66"},
      {"NulBytes", std::string(100 * 1024, '\0'), "could be read from its 102,400 bytes"},
      {"LongLineWithoutEquals", std::string(8 << 20, 'x') + "\r\n", "could be read"},
      {"TextAfterControlZ", record + "\x1A" + "COURSE=Oak Creek\r\nS1=3\r\n",
       "the 24 bytes after the control-Z character at byte 46 were not read"},
      {"LongTextAfterControlZ", record + "\x1A" + std::string(1234567, 'x'),
       "the 1,234,567 bytes after the control-Z character at byte 46 were not read"},
      // What the reader passes over in a file it reads.
      {"KeysItDoesNotKnow", record + "NOTE=windy\r\n\r\ncourse=Oak\r\n",
       ": 2 lines with keys Larkspin does not know (the first: \"NOTE\") could not be read."},
      {"RecordWithoutCourse", record + "\r\nCOURSE=\r\nS1=6\r\n",
       " with an empty \"COURSE=\" line could not be read."},
      {"ValueGivenTwice", record + "S1=5\r\n", "1 value given again in the same "},
  };
}

// The same in ratings.dat, whose records hold other keys.
std::vector<OddContent> OddRatingsContents() {
  const std::string record = "CREATOR=LARKSP 1.0\r\nCOURSE=Pine Hills\r\nRATING=71.3\r\n";
  return {
      {"NulBytes", std::string(100 * 1024, '\0'), "could be read from its 102,400 bytes"},
      {"TextAfterControlZ", record + "\x1A" + "COURSE=Oak Creek\r\nRATING=70.1\r\n",
       "the 31 bytes after the control-Z character at byte 53 were not read"},
      {"KeysItDoesNotKnow", record + "NOTE=windy\r\n\r\ncourse=Oak\r\n",
       ": 2 lines with keys Larkspin does not know (the first: \"NOTE\") could not be read."},
      {"RecordWithoutCourse", record + "\r\nCOURSE=\r\nSLOPE=128\r\n",
       " with an empty \"COURSE=\" line could not be read."},
      {"ValueGivenTwice", record + "RATING=70.2\r\n", "1 value given again in the same "},
  };
}

class UnreadFile : public ::testing::TestWithParam<std::tuple<DataFileCase, OddContent>> {
 protected:
  UnreadFile() { harness_.ratingsEditor.TypeValidRatings("Elm Park"); }

  const DataFileCase& File() const { return std::get<0>(GetParam()); }
  const std::string& Bytes() const { return std::get<1>(GetParam()).bytes; }
  QString Path() const { return harness_.FilePath(File().name); }
  QString KeptPath() const { return Path() + ".unread"; }

  Scorecard& Open() {
    Scorecard& scorecard = harness_.Make();
    scorecard.OnInitDialog();
    scorecard.TellUnreadFiles();
    return scorecard;
  }

  ScorecardHarness harness_;
};

TEST_P(UnreadFile, isToldOnceAtOpeningAndLeftAsItWasWhenNothingChanged) {
  ASSERT_TRUE(WriteFileAtomically(Path(), Bytes()));
  Scorecard& scorecard = Open();

  const auto& messages = harness_.prompter.messages;
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Error Reading File");
  const std::string path = QDir::toNativeSeparators(Path()).toStdString();
  EXPECT_THAT(messages[0].text, StartsWith(path + ":"));
  EXPECT_THAT(messages[0].text, HasSubstr(std::get<1>(GetParam()).told));
  EXPECT_THAT(messages[0].text, HasSubstr(std::string(File().name) + ".unread"));

  EXPECT_TRUE(scorecard.OnDestroy());
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(ReadWholeFile(Path()) == Bytes());
  EXPECT_FALSE(QFileInfo::exists(KeptPath()));
}

TEST_P(UnreadFile, isKeptBesideBeforeChangesReplaceIt) {
  ASSERT_TRUE(WriteFileAtomically(Path(), Bytes()));
  Scorecard& scorecard = Open();
  File().change(scorecard);

  EXPECT_TRUE(scorecard.OnDestroy());
  EXPECT_EQ(harness_.prompter.messages.size(), 1u);  // only the opening box
  EXPECT_TRUE(ReadWholeFile(KeptPath()) == Bytes());
  EXPECT_THAT(ReadWholeFile(Path()).value_or(""), HasSubstr("COURSE=Elm Park\r\n"));

  // The file now holds the whole table: the next opening tells nothing, and closing writes.
  harness_.prompter.messages.clear();
  Scorecard& reopened = Open();
  EXPECT_TRUE(harness_.prompter.messages.empty());
  File().change(reopened);
  EXPECT_TRUE(reopened.OnDestroy());
  EXPECT_FALSE(QFileInfo::exists(KeptPath() + "-2"));
}

INSTANTIATE_TEST_SUITE_P(DataFile, UnreadFile,
                         ::testing::Combine(::testing::Values(kRoundFile, kCourseFile),
                                            ::testing::ValuesIn(OddContents())),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name == std::string("lks.dat")
                                                  ? "Rounds_"
                                                  : "Courses_") +
                                  std::get<1>(info.param).behaviour;
                         });
INSTANTIATE_TEST_SUITE_P(RatingsFile, UnreadFile,
                         ::testing::Combine(::testing::Values(kRatingsFile),
                                            ::testing::ValuesIn(OddRatingsContents())),
                         [](const auto& info) {
                           return "Ratings_" + std::string(std::get<1>(info.param).behaviour);
                         });

// The readable part of a file cut short by a control-Z is there in the window, and its records
// after the control-Z come back when the user restores the kept file.
TEST(UnreadFile, ControlZInMiddleOfRounds_showsRoundsBeforeItAndKeepsTheRest) {
  ScorecardHarness harness;
  std::string bytes = "CREATOR=LARKSP 1.0";
  for (int i = 0; i < 1000; ++i) {
    if (i == 500) bytes += "\r\n\x1A";
    bytes += "\r\nCOURSE=Round " + std::to_string(i) + "\r\nS1=4\r\n";
  }
  ASSERT_TRUE(WriteFileAtomically(harness.FilePath("lks.dat"), bytes));
  Scorecard& scorecard = harness.Make();
  scorecard.OnInitDialog();
  EXPECT_EQ(scorecard.Rounds().Table().RowCount(), 500);

  scorecard.SelectRow(0);
  scorecard.RemoveScore();
  ASSERT_TRUE(scorecard.OnDestroy());
  EXPECT_TRUE(ReadWholeFile(harness.FilePath("lks.dat.unread")) == bytes);
  EXPECT_EQ(ParseRoundFile(ReadWholeFile(harness.FilePath("lks.dat")).value_or("")).size(), 499u);
}

TEST(UnreadFile, NothingLeftOut_isNotTold) {
  const std::string record = "CREATOR=LARKSP 1.0\r\nCOURSE=Pine Hills\r\nS1=4\r\n";
  for (const std::string& bytes :
       {std::string(), std::string("CREATOR=LARKSP 1.0\r\n"), std::string("\r\n\r\n  \r\n"),
        std::string("\xEF\xBB\xBF"), record + "\x1A\x1A\x1A\x1A", record}) {
    for (const char* name : {"lks.dat", "courses.dat"}) {
      ScorecardHarness harness;
      ASSERT_TRUE(WriteFileAtomically(harness.FilePath(name), bytes));
      Scorecard& scorecard = harness.Make();
      scorecard.OnInitDialog();
      scorecard.TellUnreadFiles();
      EXPECT_TRUE(harness.prompter.messages.empty()) << name << " holding " << bytes;
    }
  }
}

TEST(UnreadFile, MissingFiles_areMadeEmptyAndNotTold) {
  ScorecardHarness harness;
  Scorecard& scorecard = harness.Make();
  scorecard.OnInitDialog();
  scorecard.TellUnreadFiles();
  EXPECT_TRUE(harness.prompter.messages.empty());
  EXPECT_EQ(ReadWholeFile(harness.FilePath("lks.dat")), "");
  EXPECT_EQ(ReadWholeFile(harness.FilePath("courses.dat")), "");
  // No ratings, no ratings.dat, even after closing.
  EXPECT_TRUE(scorecard.OnDestroy());
  EXPECT_FALSE(QFileInfo::exists(harness.FilePath("ratings.dat")));
}

TEST(UnreadFile, EveryFileUnread_isToldInOneBox) {
  ScorecardHarness harness;
  ASSERT_TRUE(WriteFileAtomically(harness.FilePath("lks.dat"), std::string(100, '\0')));
  ASSERT_TRUE(QDir(harness.dir.path()).mkdir("courses.dat"));
  ASSERT_TRUE(WriteFileAtomically(harness.FilePath("ratings.dat"),
                                  "COURSE=Oak\r\n\x1A"
                                  "COURSE=Elm\r\n"));
  Scorecard& scorecard = harness.Make();
  scorecard.OnInitDialog();
  scorecard.TellUnreadFiles();
  ASSERT_EQ(harness.prompter.messages.size(), 1u);
  EXPECT_THAT(harness.prompter.messages[0].text, HasSubstr("lks.dat: no round could be read"));
  EXPECT_THAT(harness.prompter.messages[0].text,
              HasSubstr("courses.dat is a folder and was not read."));
  EXPECT_THAT(harness.prompter.messages[0].text, HasSubstr("ratings.dat: "));
}

TEST(UnreadFile, KeptNameTaken_takesNextFreeName) {
  ScorecardHarness harness;
  ASSERT_TRUE(WriteFileAtomically(harness.FilePath("lks.dat"),
                                  "\x1A"
                                  "COURSE=A\r\n"));
  ASSERT_TRUE(WriteFileAtomically(harness.FilePath("lks.dat.unread"), "older"));
  Scorecard& scorecard = harness.Make();
  scorecard.OnInitDialog();
  scorecard.TellUnreadFiles();
  EXPECT_THAT(harness.prompter.messages.at(0).text, HasSubstr("kept as lks.dat.unread-2"));
  kRoundFile.change(scorecard);
  ASSERT_TRUE(scorecard.OnDestroy());
  EXPECT_EQ(ReadWholeFile(harness.FilePath("lks.dat.unread")), "older");
  EXPECT_EQ(ReadWholeFile(harness.FilePath("lks.dat.unread-2")),
            "\x1A"
            "COURSE=A\r\n");
}

#ifdef Q_OS_UNIX
// What is not a regular file is never read (a named pipe would hold the program until a writer
// comes, /dev/zero never ends), and never replaced in place: the entry itself is moved aside.
class NotRegularFile : public ::testing::TestWithParam<DataFileCase> {};

TEST_P(NotRegularFile, isToldAndMovedAsideOnlyWhenChangesAreSaved) {
  const struct {
    const char* what;
    std::function<bool(const QString&)> make;
  } kinds[] = {
      {"is a named pipe",
       [](const QString& path) {
         return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
       }},
      {"is a device",
       [](const QString& path) { return QFile::link(QStringLiteral("/dev/zero"), path); }},
      {"is a folder", [](const QString& path) { return QDir().mkdir(path); }},
  };
  for (const auto& kind : kinds) {
    for (const bool changed : {false, true}) {
      ScorecardHarness harness;
      harness.ratingsEditor.TypeValidRatings("Elm Park");
      const QString path = harness.FilePath(GetParam().name);
      ASSERT_TRUE(kind.make(path));
      Scorecard& scorecard = harness.Make();
      scorecard.OnInitDialog();
      scorecard.TellUnreadFiles();
      ASSERT_EQ(harness.prompter.messages.size(), 1u);
      EXPECT_THAT(harness.prompter.messages[0].text,
                  HasSubstr(std::string(GetParam().name) + " " + kind.what + " and was not read."));

      if (changed) GetParam().change(scorecard);
      ASSERT_TRUE(scorecard.OnDestroy()) << kind.what;
      struct stat status {};
      ASSERT_EQ(::lstat(QFile::encodeName(path + ".unread").constData(), &status) == 0, changed);
      EXPECT_EQ(QFileInfo(path).isFile(), changed) << kind.what;
      if (changed) {
        EXPECT_THAT(ReadWholeFile(path).value_or(""), HasSubstr("COURSE=Elm Park"));
        EXPECT_FALSE(S_ISREG(status.st_mode));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DataFile, NotRegularFile,
                         ::testing::Values(kRoundFile, kCourseFile, kRatingsFile),
                         [](const auto& info) {
                           const std::string name = info.param.name;
                           return std::string(name == "lks.dat"       ? "Rounds"
                                              : name == "courses.dat" ? "Courses"
                                                                      : "Ratings");
                         });

// Runs `check` where file permissions hold: in a child process as "nobody" when this one is root,
// which reads anything. True when `check` returned true.
bool WithFilePermissions(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
    ::_exit(dropped && check() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

TEST(UnreadFile, NoReadPermission_isToldWithReasonAndRenamedAsideBeforeReplaced) {
  ScorecardHarness harness;
  const QString path = harness.FilePath("lks.dat");
  const std::string bytes = TestDataBytes("three_rounds.dat");
  ASSERT_TRUE(WriteFileAtomically(path, bytes));
  ASSERT_EQ(::chmod(QFile::encodeName(harness.dir.path()).constData(), 0777), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0222), 0);  // write, no read

  EXPECT_TRUE(WithFilePermissions([&] {
    Scorecard& scorecard = harness.Make();
    scorecard.OnInitDialog();
    scorecard.TellUnreadFiles();
    const auto& messages = harness.prompter.messages;
    const bool told =
        messages.size() == 1 &&
        messages[0].text.find("lks.dat could not be read: Permission denied.") != std::string::npos;
    kRoundFile.change(scorecard);
    return told && scorecard.OnDestroy() && scorecard.Rounds().Table().RowCount() == 1;
  }));
  ASSERT_EQ(::chmod(QFile::encodeName(path + ".unread").constData(), 0644), 0);
  EXPECT_TRUE(ReadWholeFile(path + ".unread") == bytes);
  EXPECT_EQ(ParseRoundFile(ReadWholeFile(path).value_or("")).size(), 1u);
}
#endif

}  // namespace
}  // namespace larkspin::testing
