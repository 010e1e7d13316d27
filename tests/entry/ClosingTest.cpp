// Closing the window saves lks.dat, then courses.dat. When either cannot be written the user is
// told which and why, and asked whether to close anyway; "No" (the default) keeps everything.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "DiskFile.h"

#include "support/FakeServices.h"

namespace larkspin {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ScorecardHarness;

MATCHER_P(BoxAbout, file, "") {
  return !arg.question && arg.title == "Error Writing File" &&
         arg.text.starts_with("Save to File\r\n" + file + ": ");
}
MATCHER(CloseAnywayQuestion, "") {
  return arg.question && arg.noByDefault && arg.title == "larkspin" &&
         arg.text == "Not everything could be saved.\r\nClose anyway and lose the changes?";
}

class Closing : public ::testing::Test {
 protected:
  void SetUp() override {
    sc.OnInitDialog();
    sc.View().course.Type("Oak Hills");
    sc.AddCourse();
    sc.AddScore();
  }
  std::string Shown(const char* name) const {
    return QDir::toNativeSeparators(h.FilePath(name)).toStdString();
  }
  // A folder where the file stands: it can no longer be replaced.
  void Block(const char* name) {
    ASSERT_TRUE(QFile::remove(h.FilePath(name)));
    ASSERT_TRUE(QDir(h.dir.path()).mkdir(name));
  }
  void Unblock(const char* name) { ASSERT_TRUE(QDir(h.dir.path()).rmdir(name)); }
  std::string Bytes(const char* name) const {
    QFile file(h.FilePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
  }

  ScorecardHarness h;
  Scorecard& sc = h.Make();
};

TEST_F(Closing, RoundsFailing_tellsFileAndReasonStillSavesCoursesAndNoKeepsFormAsTyped) {
  Block("lks.dat");
  sc.View().scores[3] = "typed, not added";
  sc.View().date = "2003-09-16";

  EXPECT_FALSE(sc.OnDestroy());
  EXPECT_THAT(h.prompter.messages, ElementsAre(BoxAbout(Shown("lks.dat")), CloseAnywayQuestion()));
  EXPECT_THAT(Bytes("courses.dat"), HasSubstr("COURSE=Oak Hills\r\n"));
  EXPECT_EQ(sc.View().scores[3], "typed, not added");
  EXPECT_EQ(sc.View().course.Text(), "Oak Hills");
  EXPECT_EQ(sc.View().date, "2003-09-16");
  EXPECT_EQ(sc.Rounds().Table().RowCount(), 1);

  // Once the user has made room, closing again saves everything without a question.
  Unblock("lks.dat");
  h.prompter.messages.clear();
  EXPECT_TRUE(sc.OnDestroy());
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_THAT(Bytes("lks.dat"), HasSubstr("COURSE=Oak Hills\r\n"));
}

TEST_F(Closing, CoursesFailingAfterRoundsSaved_tellsOnlyCoursesAndYesCloses) {
  Block("courses.dat");
  h.prompter.answers = {true};
  EXPECT_TRUE(sc.OnDestroy());
  EXPECT_THAT(h.prompter.messages,
              ElementsAre(BoxAbout(Shown("courses.dat")), CloseAnywayQuestion()));
  EXPECT_THAT(Bytes("lks.dat"), HasSubstr("COURSE=Oak Hills\r\n"));
}

TEST_F(Closing, BothFailing_tellsEachThenAsksOnce) {
  Block("lks.dat");
  Block("courses.dat");
  EXPECT_FALSE(sc.OnDestroy());
  EXPECT_THAT(h.prompter.messages,
              ElementsAre(BoxAbout(Shown("lks.dat")), BoxAbout(Shown("courses.dat")),
                          CloseAnywayQuestion()));
}

TEST_F(Closing, SessionEnding_savesWithoutTouchingFormAndAsksOnlyWhenAllowed) {
  sc.View().scores[0] = "typed";
  EXPECT_TRUE(sc.OnEndSession([] { return true; }));
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_EQ(sc.View().scores[0], "typed");
  EXPECT_THAT(Bytes("lks.dat"), HasSubstr("COURSE=Oak Hills\r\n"));

  Block("courses.dat");
  EXPECT_TRUE(sc.OnEndSession([] { return false; }));  // nobody to ask
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_FALSE(sc.OnEndSession([] { return true; }));
  EXPECT_THAT(h.prompter.messages,
              ElementsAre(BoxAbout(Shown("courses.dat")), CloseAnywayQuestion()));
}

// A close with nothing changed leaves a file alone, its time and all, when it holds just what
// would be written; otherwise it is written as usual.
TEST(ClosingUnchanged, FileHoldingWhatWouldBeWritten_isLeftAsItIs) {
  const struct {
    const char* behaviour;
    bool whileOpen;  // or before opening
    std::function<void(const QString& path, const std::string& saved)> meanwhile;
    bool leftAlone;
  } cases[] = {
      {"as Larkspin writes it", false, [](const QString&, const std::string&) {}, true},
      {"its line ends LF only: written with CR LF", false,
       [](const QString& path, const std::string& saved) {
         ASSERT_TRUE(WriteFileAtomically(
             path, QString::fromStdString(saved).replace("\r\n", "\n").toStdString()));
       },
       false},
      // Read as the same rounds, but not the bytes Larkspin writes.
      {"with a byte-order mark: written without", false,
       [](const QString& path, const std::string& saved) {
         ASSERT_TRUE(WriteFileAtomically(path, "\xEF\xBB\xBF" + saved));
       },
       false},
      {"ended by control-Z: written without", false,
       [](const QString& path, const std::string& saved) {
         ASSERT_TRUE(WriteFileAtomically(path, saved + "\x1A"));
       },
       false},
      {"removed while open: written again", true,
       [](const QString& path, const std::string&) { ASSERT_TRUE(QFile::remove(path)); }, false},
  };
  for (const auto& c : cases) {
    ScorecardHarness h;
    h.services.journal = true;  // the window's: its files are fingerprinted as read
    {
      Scorecard& first = h.Make();
      first.OnInitDialog();
      first.View().course.Type("Oak Hills");
      first.AddCourse();
      first.AddScore();
      ASSERT_TRUE(first.OnDestroy());
    }
    h.scorecard.reset();
    const QString path = h.FilePath("lks.dat");
    const std::string saved = ReadWholeFile(path).value_or("");
    if (!c.whileOpen) c.meanwhile(path, saved);
    Scorecard& again = h.Make();
    again.OnInitDialog();
    const PathState opened = StatPath(path);
    if (c.whileOpen) c.meanwhile(path, saved);
    ASSERT_TRUE(again.OnDestroy()) << c.behaviour;
    EXPECT_EQ(ReadWholeFile(path), saved) << c.behaviour;
    EXPECT_EQ(StatPath(path).stamp == opened.stamp, c.leftAlone) << c.behaviour;
  }
}

}  // namespace
}  // namespace larkspin
