#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>

#include "support/FakeServices.h"
#include "support/Files.h"

namespace larkspin {
namespace {

using ::testing::ElementsAre;
using testing::ScorecardHarness;
using ::testing::StartsWith;

// The plain C locale, as minimal systems and containers (LANG=C.UTF-8) give it.
class CLocale : public ::testing::Environment {
  void SetUp() override { QLocale::setDefault(QLocale::c()); }
};
[[maybe_unused]] const auto* const kCLocale = ::testing::AddGlobalTestEnvironment(new CLocale);

MATCHER_P2(Said, title, text, "") {
  return arg.title == title && arg.text == text;
}

// Pars that differ from hole to hole and from course to course: "<tag>1".."<tag>18".
HoleTexts Pars(const std::string& tag) {
  HoleTexts pars;
  for (int i = 0; i < kHoles; ++i)
    pars[i] = tag + std::to_string(i + 1);
  return pars;
}

CourseRecord Course(const std::string& name, const std::string& date, const std::string& tag) {
  CourseRecord course{name, date};
  std::ranges::copy(Pars(tag), course.begin() + ParCell(1));
  return course;
}

std::string ReadBytes(const QString& path) {
  return testing::ReadFile(path).toStdString();
}

class Courses : public ::testing::Test {
 protected:
  // Opens the window on a courses.dat holding `bytes`, or on none.
  void Open(const char* bytes = nullptr) {
    if (bytes) {
      ASSERT_TRUE(testing::WriteFile(h.FilePath("courses.dat"), bytes));
    }
    sc.OnInitDialog();
  }
  // Types a course into the form, its pars into the score fields.
  void Enter(std::string_view name, std::string_view date, const std::string& tag) {
    sc.View().course.Type(name);
    sc.View().date = date;
    sc.View().scores = Pars(tag);
  }
  void Add(std::string_view name, std::string_view date, const std::string& tag) {
    Enter(name, date, tag);
    sc.AddCourse();
  }
  void Pick(std::string_view name) {
    sc.View().course.Pick(sc.View().course.FindExact(name));
    sc.OnSelchangeCourse();
  }
  std::string Saved() {
    sc.SaveCourses();
    return ReadBytes(h.FilePath("courses.dat"));
  }

  ScorecardHarness h;
  Scorecard& sc = h.Make();
};

TEST_F(Courses, Add_putsFormCourseOnTopAndInSortedSelectorWithoutTouchingPars) {
  Open();
  sc.View().pars.fill("old");
  Add("", "2003-09-16", "p");
  EXPECT_THAT(h.prompter.messages,
              ElementsAre(Said("Error", "Course Name Blank.\r\nNo entry added.")));
  Add("pine", "2003-09-16", "p");
  Add("Birch", "2003-09-17", "b");
  EXPECT_EQ(sc.Courses().Table().Row(0), Course("Birch", "2003-09-17", "b"));
  EXPECT_EQ(sc.Courses().Table().Row(1), Course("pine", "2003-09-16", "p"));
  EXPECT_THAT(sc.View().course.Entries(), ElementsAre("Birch", "pine"));
  EXPECT_THAT(sc.View().pars, ::testing::Each("old"));
}

TEST_F(Courses, AddOfSameNameAndDate_asksAndAddsSecondRowAndEntryOnlyOnYes) {
  Open();
  Add("Oak", "2003-09-16", "a");
  Add("Oak", "2003-09-17", "b");
  Add("oak", "2003-09-17", "c");
  EXPECT_TRUE(h.prompter.messages.empty());
  h.prompter.answers = {false, true};
  Add("Oak", "2003-09-17", "d");
  EXPECT_THAT(h.prompter.messages, ElementsAre(Said("larkspin",
                                                    "This entry is already in the list.\r\n"
                                                    "Do you really want to add this item?")));
  EXPECT_EQ(sc.Courses().Table().RowCount(), 3);
  Add("Oak", "2003-09-17", "e");
  EXPECT_EQ(sc.Courses().Table().Row(0), Course("Oak", "2003-09-17", "e"));
  EXPECT_THAT(sc.View().course.Entries(), ElementsAre("Oak", "Oak", "oak", "Oak"));
}

TEST_F(Courses, Update_rewritesLowestRowOfExactlyThatNameAndSelectingStillShowsTopOne) {
  Open();
  Add("Oak", "2003-01-01", "low");
  Add("Pine", "2003-01-01", "p");
  Add("Oak", "2003-02-01", "top");
  const auto entries = sc.View().course.Entries();
  sc.View().pars.fill("old");
  for (const char* name : {"", "oak", "Oa", "Oak"}) {
    Enter(name, "2003-03-01", name);
    sc.UpdateCourse();
  }
  EXPECT_EQ(sc.Courses().Table().Row(2), Course("Oak", "2003-03-01", "Oak"));
  EXPECT_EQ(sc.Courses().Table().Row(0), Course("Oak", "2003-02-01", "top"));
  EXPECT_EQ(sc.View().course.Entries(), entries);
  EXPECT_THAT(sc.View().pars, ::testing::Each("old"));
  EXPECT_TRUE(h.prompter.messages.empty());
  Pick("Oak");
  EXPECT_EQ(sc.View().pars, Pars("top"));
}

TEST_F(Courses, Remove_takesEntryAndTopRowOfThatNameOnlyWhenSelectorShowsTheEntryExactly) {
  Open();
  Add("Oak", "2003-01-01", "low");
  Add("Pine", "2003-01-01", "p");
  Add("Oak", "2003-02-01", "top");
  for (const char* typed : {"Birch", "oak", "Oa"}) {
    Pick("Oak");
    sc.View().course.Type(typed);
    sc.RemoveCourse();
  }
  EXPECT_EQ(sc.Courses().Table().RowCount(), 3);
  Pick("Oak");
  sc.RemoveCourse();
  EXPECT_EQ(sc.Courses().Table().Row(1), Course("Oak", "2003-01-01", "low"));
  EXPECT_THAT(sc.View().course.Entries(), ElementsAre("Oak", "Pine"));
}

TEST_F(Courses, Save_writesNoBytesForNoCoursesAndHeaderPlusTwentyLinesForOne) {
  Open();
  EXPECT_EQ(ReadBytes(h.FilePath("courses.dat")), "");  // made on opening
  EXPECT_EQ(Saved(), "");
  Add("Oak Hills", "2003-09-16", "");
  std::string expected = "CREATOR=LARKSP 1.0\r\nCOURSE=Oak Hills\r\nDATE=2003-09-16\r\n";
  for (int hole = 1; hole <= kHoles; ++hole) {
    expected += "S" + std::to_string(hole) + "=" + std::to_string(hole) + "\r\n";
  }
  EXPECT_EQ(Saved(), expected);
}

TEST_F(Courses, SaveTwo_writesBottomRowFirstOneEmptyLineBetweenAndOpensInSameOrder) {
  Open();
  Add("Pine", "2003-01-01", "p");
  Add("Oak", "2003-01-02", "o");
  const std::string saved = Saved();
  EXPECT_THAT(saved, ::testing::HasSubstr("\r\nS18=p18\r\n\r\nCOURSE=Oak\r\nDATE="));
  EXPECT_THAT(saved, ::testing::EndsWith("\r\nS18=o18\r\n"));
  EXPECT_EQ(std::ranges::count(saved, '\n'), 42);
  ScorecardHarness other;
  ASSERT_TRUE(testing::WriteFile(other.FilePath("courses.dat"), saved));
  Scorecard& reopened = other.Make();
  reopened.OnInitDialog();
  EXPECT_EQ(reopened.Courses().Table().Row(0), Course("Oak", "2003-01-02", "o"));
  EXPECT_EQ(reopened.Courses().Table().Row(1), Course("Pine", "2003-01-01", "p"));
}

TEST_F(Courses, OpenFile_listsCoursesInSelectorAlphabeticallyIgnoringCase) {
  Open("COURSE=pine\r\n\r\nCOURSE=Oak\r\n\r\nCOURSE=birch\r\n");
  EXPECT_THAT(sc.View().course.Entries(), ElementsAre("birch", "Oak", "pine"));
}

TEST_F(Courses, OpenLfFile_readsLastLineWithoutBreakKeepsEqualsInValuesAndStartsFreshPerCourse) {
  Open("CREATOR=LARKSP 1.0\nCOURSE=A=B\nDATE=2003-09-16\nS1=4\nS2=5\n\nCOURSE=Oak\nS1=3\nS18=5");
  EXPECT_EQ(sc.Courses().Table().Row(1), (CourseRecord{"A=B", "2003-09-16", "4", "5"}));
  CourseRecord oak{"Oak", "", "3"};
  oak[ParCell(18)] = "5";
  EXPECT_EQ(sc.Courses().Table().Row(0), oak);
}

TEST_F(Courses, OpenWindows1252File_readsItsCharactersAndSavesThemAsUtf8) {
  Open("CREATOR=LARKSP 1.0\r\nCOURSE=Ch\xE2teau \x80\r\nDATE=2003-09-16\r\n");
  EXPECT_EQ(sc.Courses().Table().Row(0)[kCourseNameCell], "Ch\xC3\xA2teau \xE2\x82\xAC");
  EXPECT_THAT(Saved(), StartsWith("CREATOR=LARKSP 1.0\r\nCOURSE=Ch\xC3\xA2teau \xE2\x82\xAC\r\n"));
}

TEST_F(Courses, UpdateOfCourseListedOnceAtTop_rewritesThatRow) {
  Open();
  Add("Pine", "2003-01-01", "p");
  Add("Oak", "2003-02-01", "o");
  Enter("Oak", "2003-03-01", "new");
  sc.UpdateCourse();
  EXPECT_EQ(sc.Courses().Table().Row(0), Course("Oak", "2003-03-01", "new"));
  EXPECT_EQ(sc.Courses().Table().Row(1), Course("Pine", "2003-01-01", "p"));
}

TEST_F(Courses, LoadThenSave_writesTheCoursesInTheFilesOrderByteForByte) {
  std::string file = "CREATOR=LARKSP 1.0";
  for (const char* name : {"Pine", "oak", "Birch", "Oak"}) {
    if (file.size() > 18) file += "\r\n";
    file += std::string("\r\nCOURSE=") + name + "\r\nDATE=2003-01-01";
    for (int hole = 1; hole <= kHoles; ++hole)
      file += "\r\nS" + std::to_string(hole) + "=" + std::to_string(hole % 3 + 3);
  }
  file += "\r\n";
  Open(file.c_str());
  EXPECT_EQ(sc.Courses().Table().Row(0)[kCourseNameCell], "Oak");
  EXPECT_EQ(sc.Courses().Table().Row(3)[kCourseNameCell], "Pine");
  EXPECT_EQ(Saved(), file);
}

TEST_F(Courses, SaveWhenFileCannotBeWritten_reportsFileAndReasonAndChangesNothing) {
  Open();
  ASSERT_TRUE(QFile::remove(h.FilePath("courses.dat")));
  ASSERT_TRUE(QDir(h.dir.path()).mkdir("courses.dat"));
  Add("Oak", "2003-01-01", "o");
  EXPECT_FALSE(sc.SaveCourses());
  const std::string path = QDir::toNativeSeparators(h.FilePath("courses.dat")).toStdString();
  ASSERT_EQ(h.prompter.messages.size(), 1u);
  EXPECT_EQ(h.prompter.messages[0].title, "Error Writing File");
  EXPECT_THAT(h.prompter.messages[0].text,
              ::testing::MatchesRegex("Save to File\r\n" + path + ": .*directory\\."));
  EXPECT_EQ(sc.Courses().Table().Row(0), Course("Oak", "2003-01-01", "o"));
  EXPECT_THAT(sc.View().course.Entries(), ElementsAre("Oak"));
}

}  // namespace
}  // namespace larkspin
