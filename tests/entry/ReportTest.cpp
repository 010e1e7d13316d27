// "Course Report" and "Overall Report" from the main window's logic: the page written, what the
// window shows afterwards, and the failures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <array>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <functional>

#include "DiskFile.h"
#include "support/FakeServices.h"

namespace larkspin {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::ScorecardHarness;

MATCHER_P2(Said, title, text, "") {
  return arg.title == title && arg.text == text;
}

// The report's error box: "Save Report", then the page's path and why it could not be written.
MATCHER_P(ReportNotSaved, path, "") {
  const std::string start = "Save Report\r\n" + path.toStdString() + ": ";
  return arg.title == "Error Saving File." && arg.text.starts_with(start) &&
         arg.text.size() > start.size();
}

std::string TestData(const char* name) {
  return ReadWholeFile(QDir(QStringLiteral(LARKSPIN_TEST_DATA)).filePath(QString::fromLatin1(name)))
      .value_or("<missing test data>");
}

constexpr std::string_view kPineValley = "Pine Valley";
constexpr std::string_view kOakHills = "Oak & <Hills>";
const HoleTexts kPinePars = {"4", "4", "3", "5", "4", "4", "3", "5", "4",
                             "4", "4", "3", "5", "4", "4", "3", "5", "4"};

// The rounds, top row first: Pine Valley 2026-11-02, Oak & <Hills> 2026-03-14,
// Pine Valley 2025-12-20, Pine Valley 2026-07-04; the courses Pine Valley and Oak & <Hills>.
class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFileAtomically(h.FilePath("lks.dat"), TestData("report_rounds.dat")));
    ASSERT_TRUE(WriteFileAtomically(h.FilePath("courses.dat"), TestData("report_courses.dat")));
    h.clock.today = QDate(2026, 12, 7);
    sc.OnInitDialog();
  }

  // The user picks a course from the selector's list.
  void PickCourse(std::string_view name) {
    const auto& entries = sc.View().course.Entries();
    const auto it = std::find(entries.begin(), entries.end(), name);
    ASSERT_NE(it, entries.end()) << name;
    sc.View().course.Pick(static_cast<int>(it - entries.begin()));
    sc.OnSelchangeCourse();
  }
  QString ReportPath() const {
    return QDir::toNativeSeparators(QFileInfo(h.FilePath("report.htm")).absoluteFilePath());
  }
  std::string Page() const {
    return ReadWholeFile(h.FilePath("report.htm")).value_or("<no report.htm>");
  }
  // The cells of the rounds table's row starting with `label`, e.g. "<td>4</td><td>4</td>...".
  std::string RowOf(const std::string& page, const std::string& label) const {
    const std::string start = "<tr><td>" + label + "</td>";
    const auto begin = page.find(start);
    if (begin == std::string::npos) return "<no " + label + " row>";
    const auto end = page.find("</tr>", begin);
    return page.substr(begin + start.size(), end - begin - start.size());
  }
  int RoundRows(const std::string& page) const {
    int rows = 0;
    for (auto at = page.find("<tr><td>20"); at != std::string::npos;
         at = page.find("<tr><td>20", at + 1))
      ++rows;
    return rows;
  }

  ScorecardHarness h;
  Scorecard& sc = h.Make();
};

TEST_F(Report, CourseReport_writesTheCoursePageAndOpensIt) {
  PickCourse(kPineValley);
  sc.View().period.Type("Year");
  sc.OnCourseReport();

  EXPECT_EQ(Page(), TestData("course_report.htm"));
  EXPECT_THAT(h.opener.opened, ElementsAre(QFileInfo(h.FilePath("report.htm")).absoluteFilePath()));
  EXPECT_TRUE(QFileInfo(h.opener.opened.front()).isAbsolute());
  EXPECT_THAT(h.prompter.messages, ::testing::IsEmpty());
}

// The walk goes through the form, but a round half typed in the grid is there again afterwards.
TEST_F(Report, EitherReport_givesTheGridBackAsItWasBeforeThePress) {
  // A loop over pointers to the two members reads past its array under GCC 12's AddressSanitizer.
  for (const bool overall : {false, true}) {
    h.clock.today = QDate(2026, 11, 20);
    PickCourse(kPineValley);
    sc.View().period.Type("Month");
    sc.View().scores[0] = "7";
    sc.View().clubs[0].Type("zz");
    sc.View().putts[17] = "3";
    const FormView before = sc.View();
    if (overall) {
      sc.OnOverallReport();
    } else {
      sc.OnCourseReport();
    }

    EXPECT_EQ(RoundRows(Page()), 1);
    EXPECT_THAT(Page(), HasSubstr("<tr><td>2026-11-02</td>"));
    EXPECT_EQ(sc.View().course.Text(), kPineValley);
    EXPECT_EQ(sc.View().date, before.date);
    EXPECT_EQ(sc.View().scores, before.scores);
    EXPECT_EQ(sc.View().clubs[0].Text(), "zz");
    EXPECT_EQ(sc.View().putts, before.putts);
    EXPECT_EQ(sc.View().pars, kPinePars);
    EXPECT_EQ(sc.View().period.Text(), "Month");
    EXPECT_EQ(sc.Rounds().Table().RowCount(), 4);
  }
}

TEST_F(Report, CourseReportWithBlankCourse_saysSoAndChangesNothing) {
  sc.View().period.Type("mon");
  sc.View().scores[0] = "7";
  sc.OnCourseReport();

  EXPECT_THAT(h.prompter.messages,
              ElementsAre(Said("Error", "Please select a course before generating a report.")));
  EXPECT_FALSE(QFileInfo::exists(h.FilePath("report.htm")));
  EXPECT_THAT(h.opener.opened, ::testing::IsEmpty());
  EXPECT_EQ(sc.View().period.Text(), "mon");
  EXPECT_EQ(sc.View().scores[0], "7");
}

TEST_F(Report, EmptyPeriod_becomesEternityAndCoversEveryRound) {
  PickCourse(kPineValley);
  sc.OnCourseReport();
  EXPECT_EQ(sc.View().period.Text(), "Eternity");
  EXPECT_EQ(RoundRows(Page()), 3);
}

TEST_F(Report, TypedPeriod_isTheEntryForEveryRoundTheFirstIncluded) {
  // In July the first Pine Valley round, from November, is outside "Month": typed as "mon" it
  // must not slip in as if the period were some other text.
  h.clock.today = QDate(2026, 7, 31);
  PickCourse(kPineValley);
  sc.View().period.Type("mon");
  sc.OnCourseReport();
  EXPECT_EQ(RoundRows(Page()), 1);
  EXPECT_THAT(Page(), HasSubstr("<tr><td>2026-07-04</td>"));
  EXPECT_EQ(sc.View().period.Text(), "Month");

  sc.View().period.Type("YEAR");
  sc.OnOverallReport();
  EXPECT_EQ(RoundRows(Page()), 2) << "March and July of this year";
  EXPECT_EQ(sc.View().period.Text(), "Year");
}

TEST_F(Report, TypedCourseName_isJudgedByItsOwnParsNotThePickedCourses) {
  PickCourse(kOakHills);
  const HoleTexts oakPars = sc.View().pars;
  sc.View().course.Type(kPineValley);
  sc.View().period.Type("Year");
  sc.OnCourseReport();

  EXPECT_EQ(Page(), TestData("course_report.htm")) << "the same page as for the picked course";
  EXPECT_EQ(sc.View().pars, oakPars) << "the form's pars stay";
}

TEST_F(Report, BeginningOfACourseName_matchesNoRoundAndWritesTheEmptyPage) {
  PickCourse(kPineValley);
  sc.View().course.Type("Pine");
  sc.OnCourseReport();

  const std::string page = Page();
  EXPECT_THAT(page, HasSubstr("<h1>Larkspin Report: Pine</h1>"));
  EXPECT_EQ(RoundRows(page), 0);
  EXPECT_THAT(page, Not(HasSubstr("Average")));
  EXPECT_THAT(page, Not(HasSubstr("Driving Distance")));
  EXPECT_THAT(page, HasSubstr("<tr><td>Par</td><td></td><td></td>"));
  EXPECT_THAT(page, HasSubstr("<tr><td>Total</td><td>0</td>"));
  EXPECT_THAT(page, HasSubstr("</table><br><br><br><br><br><a href="));
  EXPECT_EQ(h.opener.opened.size(), 1u);
  // No round was loaded: the grid keeps what it showed.
  EXPECT_EQ(sc.View().date, "");
}

TEST_F(Report, CourseNameWithMarkup_isEscapedInTheHeading) {
  PickCourse(kOakHills);
  sc.OnCourseReport();
  EXPECT_THAT(Page(), HasSubstr("<h1>Larkspin Report: Oak &amp; &lt;Hills&gt;</h1>"));
  EXPECT_EQ(RoundRows(Page()), 1);
}

TEST_F(Report, OverallReport_writesEveryRoundJudgedByItsOwnCourse) {
  sc.OnOverallReport();
  EXPECT_EQ(Page(), TestData("overall_report.htm"));
  EXPECT_EQ(h.opener.opened.size(), 1u);
}

TEST_F(Report, OverallReport_givesTheCourseBackAndKeepsThePeriodItSet) {
  PickCourse(kOakHills);
  const HoleTexts oakPars = sc.View().pars;
  sc.OnOverallReport();
  EXPECT_EQ(sc.View().course.Text(), kOakHills);
  EXPECT_EQ(sc.View().date, "");
  EXPECT_EQ(sc.View().pars, oakPars);
  EXPECT_EQ(sc.View().period.Text(), "Eternity");
  EXPECT_EQ(sc.Rounds().Table().Cell(1, kCourseColumn), kOakHills);
}

TEST_F(Report, OverallReport_parRowIsTheBottomRoundsCourseEvenOutsideThePeriod) {
  h.clock.today = QDate(2026, 3, 20);
  sc.View().period.Type("Month");
  sc.OnOverallReport();
  EXPECT_EQ(RoundRows(Page()), 1) << "only the Oak round of March";
  EXPECT_EQ(RowOf(Page(), "Par"),
            "<td>4</td><td>4</td><td>3</td><td>5</td><td>4</td><td>4</td><td>3</td><td>5</td>"
            "<td>4</td><td>4</td><td>4</td><td>3</td><td>5</td><td>4</td><td>4</td><td>3</td>"
            "<td>5</td><td>4</td><td>&nbsp;</td>");
}

TEST_F(Report, OverallReportOnNoRounds_writesTheFrameWithTheFormsPars) {
  ScorecardHarness empty;
  Scorecard& other = empty.Make();
  other.OnInitDialog();
  other.View().pars.fill("x");
  other.View().date = "1999-01-01";
  other.OnOverallReport();
  const std::string page = ReadWholeFile(empty.FilePath("report.htm")).value_or("");
  EXPECT_THAT(page, HasSubstr("<tr><td>Par</td><td>x</td><td>x</td>"));
  EXPECT_THAT(page, Not(HasSubstr("Average")));
  EXPECT_EQ(other.View().date, "1999-01-01");
  EXPECT_EQ(other.View().period.Text(), "Eternity");
}

// Rounds given top row first as {course, date, hole-1 score, hole-1 putts, hole-1 club}.
struct Round {
  std::string course, date, score, putts, club;
};
// The rounds in the order given, the first at the top.
void SetRounds(Scorecard& sc, std::initializer_list<Round> rounds) {
  for (auto round = std::rbegin(rounds); round != std::rend(rounds); ++round) {
    RoundRecord record{round->course, round->date};
    record[ScoreColumn(1)] = round->score;
    record[PuttsColumn(1)] = round->putts;
    record[ClubColumn(1)] = round->club;
    sc.Rounds().Add(record);
  }
}

TEST_F(Report, OverallReport_judgesHoleOneAgainstEachRoundsOwnPar) {
  while (sc.Rounds().Table().RowCount() > 0)
    sc.Rounds().Remove(0);
  // Hole 1 is a par 4 at Pine Valley and a par 3 at Oak & <Hills>.
  SetRounds(sc, {{"Pine Valley", "", "3", "2", ""}, {"Oak & <Hills>", "", "3", "2", ""}});
  sc.OnOverallReport();
  EXPECT_EQ(RowOf(Page(), "Under Regulation"), "<td>0</td><td>1</td><td>0</td><td>1</td></td>");
  EXPECT_THAT(RowOf(Page(), "In Regulation"), ::testing::StartsWith("<td>1</td><td>0</td>"));
}

TEST_F(Report, OverallReport_roundOfAnUnknownCourseUsesItsOwnNameNotThePreviousCourse) {
  while (sc.Rounds().Table().RowCount() > 0)
    sc.Rounds().Remove(0);
  // "oak" begins an entry in other letter case and becomes that course; "Gone Links" begins
  // none and keeps its own name, with no pars.
  SetRounds(sc, {{"oak", "", "3", "2", ""}, {"Gone Links", "", "3", "2", ""}});
  PickCourse(kPineValley);
  sc.OnOverallReport();

  EXPECT_EQ(RowOf(Page(), "Holes Played"), "<td>6</td><td>6</td><td>6</td><td>18</td>")
      << "the Oak round counts by Oak's pars; the Gone Links round counts nowhere";
  EXPECT_EQ(RowOf(Page(), "Par"),
            "<td></td><td></td><td></td><td></td><td></td><td></td><td></td>"
            "<td></td><td></td><td></td><td></td><td></td><td></td><td></td>"
            "<td></td><td></td><td></td><td></td><td>&nbsp;</td>");
}

TEST_F(Report, ClubBoxes_carryTheirLastRecognisedClubFromRoundToRoundInTheOverallReport) {
  while (sc.Rounds().Table().RowCount() > 0)
    sc.Rounds().Remove(0);
  SetRounds(sc, {{"Pine Valley", "2026-01-01", "4", "2", "pw"},
                 {"Oak & <Hills>", "2026-01-02", "4", "2", "5i"},
                 {"Pine Valley", "2026-01-03", "4", "2", "zz"}});
  PickCourse(kPineValley);
  sc.OnCourseReport();
  sc.OnOverallReport();
  // Only the overall report counts a round as the club boxes show it: "zz" as the 5I the Oak
  // round left the first box on.
  EXPECT_THAT(RowOf(Page(), "# of Drives"), ::testing::StartsWith("<td>0</td><td>0</td><td>0</td>"
                                                                  "<td>0</td><td>1</td>"));
}

TEST_F(Report, ClubCell_countsAsStoredInTheCourseReportAndAsTheBoxShowsItInTheOverall) {
  while (sc.Rounds().Table().RowCount() > 0)
    sc.Rounds().Remove(0);
  SetRounds(sc, {{"Pine Valley", "2026-01-01", "4", "2", "d"}});
  PickCourse(kPineValley);
  const auto zeros = [](int cells) {
    std::string row;
    for (int i = 0; i < cells; ++i)
      row += "<td>0</td>";
    return row;
  };
  sc.OnCourseReport();
  EXPECT_EQ(RowOf(Page(), "# of Drives"), zeros(19)) << "\"d\" is no club code";
  sc.OnOverallReport();
  EXPECT_EQ(RowOf(Page(), "# of Drives"), zeros(14) + "<td>1</td>" + zeros(3) + "<td>1</td>")
      << "the club box shows \"d\" as the driver, \"D\"";
}

TEST_F(Report, TwoCoursesOfOneName_theNewerRowsParsCountInBothReports) {
  while (sc.Rounds().Table().RowCount() > 0)
    sc.Rounds().Remove(0);
  CourseRecord older{"Twin", "2020-01-01"};
  CourseRecord newer{"Twin", "2021-01-01"};
  for (int hole = 1; hole <= kHoles; ++hole) {
    older[ParCell(hole)] = "3";
    newer[ParCell(hole)] = "5";
  }
  sc.Courses().Add(older);
  sc.Courses().Add(newer);  // the top row
  SetRounds(sc, {{"Twin", "2026-01-01", "4", "2", ""}});
  PickCourse("Twin");
  const auto expectNewerPars = [&](const char* report) {
    EXPECT_EQ(RowOf(Page(), "Holes Played"), "<td>0</td><td>0</td><td>18</td><td>18</td>")
        << report;
    EXPECT_THAT(RowOf(Page(), "Par"), ::testing::StartsWith("<td>5</td><td>5</td>")) << report;
  };
  sc.OnCourseReport();
  expectNewerPars("course");
  sc.OnOverallReport();
  expectNewerPars("overall");
}

TEST_F(Report, AverageRowAndStatistics_comeWithTheFirstRoundInThePeriod) {
  // "Month": no round of the table is from December 2026, one is from November.
  for (const auto& [today, rounds] :
       std::array{std::pair{QDate(2026, 12, 7), 0}, std::pair{QDate(2026, 11, 20), 1}}) {
    h.clock.today = today;
    sc.View().period.Type("Month");
    sc.OnOverallReport();
    const std::string page = Page();
    EXPECT_EQ(RoundRows(page), rounds);
    EXPECT_THAT(page, HasSubstr("<tr><td>Par</td><td>4</td>"));
    EXPECT_EQ(page.find("<tr><td>Average</td>") != std::string::npos, rounds == 1) << rounds;
    EXPECT_EQ(page.find("<h2>Driving Distance</h2>") != std::string::npos, rounds == 1) << rounds;
  }
}

TEST_F(Report, RunningTwice_replacesThePage) {
  PickCourse(kOakHills);
  sc.OnCourseReport();
  PickCourse(kPineValley);
  sc.OnCourseReport();
  EXPECT_THAT(Page(), HasSubstr("<h1>Larkspin Report: Pine Valley</h1>"));
  EXPECT_EQ(h.opener.opened.size(), 2u);
}

TEST_F(Report, UnwritableReport_saysSoAndOpensNothing) {
  ASSERT_TRUE(QDir(h.dir.path()).mkdir(QStringLiteral("report.htm")));
  sc.OnOverallReport();
  EXPECT_THAT(h.prompter.messages, ElementsAre(ReportNotSaved(ReportPath())));
  EXPECT_THAT(h.opener.opened, ::testing::IsEmpty());
  EXPECT_EQ(sc.View().date, "");
}

#ifdef Q_OS_UNIX
TEST_F(Report, ReportFailingHalfWay_keepsTheOldPageWhole) {
  PickCourse(kOakHills);
  sc.OnCourseReport();
  const std::string old = Page();
  ASSERT_EQ(h.opener.opened.size(), 1u);

  // The overall page is longer than the old one, and no file may grow past the old one's size.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = old.size();
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  sc.OnOverallReport();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(Page(), old);
  EXPECT_THAT(h.prompter.messages, ElementsAre(ReportNotSaved(ReportPath())));
  EXPECT_EQ(h.opener.opened.size(), 1u);
  EXPECT_EQ(QDir(h.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}
#endif

TEST_F(Report, ReportsChangeNoTableAndNoDataFile) {
  const std::string rounds = ReadWholeFile(h.FilePath("lks.dat")).value_or("");
  PickCourse(kPineValley);
  sc.OnCourseReport();
  sc.OnOverallReport();
  EXPECT_EQ(sc.Rounds().Table().RowCount(), 4);
  EXPECT_EQ(sc.Courses().Table().RowCount(), 2);
  EXPECT_EQ(ReadWholeFile(h.FilePath("lks.dat")).value_or(""), rounds);
}

}  // namespace
}  // namespace larkspin
