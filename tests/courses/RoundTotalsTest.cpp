// What a scorecard adds up for a round (Out, In, Total and To par) against the pars of its
// course, by the rules the grid, the round list and the trends share.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CoursePars.h"
#include "CourseTable.h"
#include "RoundTable.h"

namespace larkspin {
namespace {

using Texts = std::vector<std::string>;

Texts Repeat(const std::string& text, int holes = kHoles) {
  return Texts(holes, text);
}

CourseRecord Course(std::string name, const Texts& pars) {
  CourseRecord course{std::move(name)};
  for (std::size_t i = 0; i < pars.size(); ++i)
    course[ParCell(static_cast<int>(i) + 1)] = pars[i];
  return course;
}

// "Out par strokes putts | In ... | Total ... | to par", "-" for an empty sum.
std::string Describe(const RoundTotals& totals) {
  const auto sums = [](const char* name, const HoleSums& sums) {
    const auto text = [](std::optional<int> sum) { return sum ? SumText(sum) : "-"; };
    return std::string(name) + " " + text(sums.par) + " " + text(sums.strokes) + " " +
           text(sums.putts);
  };
  return sums("Out", totals.out) + " | " + sums("In", totals.in) + " | " +
         sums("Total", totals.total) + " | " +
         (totals.toPar ? ToParText(totals.toPar) : std::string("-"));
}

TEST(RoundTotals, SumsCountOnlyDigitCellsInRangeAndToParNeedsEveryPlayedHolesPar) {
  CourseTable courses;
  courses.InsertAtTop(Course("Old", Repeat("3")));
  courses.InsertAtTop(Course("oak", Repeat("5")));
  courses.InsertAtTop(Course("Oak", Repeat("4")));  // the first "Oak" from the top
  Texts front = Repeat("4", 9);                     // holes 1 to 9 only
  Texts holeOneMissingPar = Repeat("4");
  holeOneMissingPar[0] = "";
  const struct {
    const char* name;
    std::string course;
    Texts pars;  // a course of its own, "Own", when not empty
    Texts strokes;
    Texts putts;
    std::string expected;
  } cases[] = {
      {"nothing", "None", {}, {}, {}, "Out - - - | In - - - | Total - - - | -"},
      {"pars alone", "Oak", {}, {}, {}, "Out 36 - - | In 36 - - | Total 72 - - | -"},
      {"over par",
       "Oak",
       {},
       Repeat("5"),
       Repeat("2"),
       "Out 36 45 18 | In 36 45 18 | Total 72 90 36 | +18"},
      {"even", "Oak", {}, Repeat("4"), {}, "Out 36 36 - | In 36 36 - | Total 72 72 - | E"},
      {"under par, front nine alone",
       "Oak",
       {},
       {"3", "3", "3", "4", "4", "4", "4", "4", "4"},
       {"1", "0", "10"},
       "Out 36 33 11 | In 36 - - | Total 72 33 11 | -3"},
      {"back nine alone",
       "Oak",
       {},
       {"", "", "", "", "", "", "", "", "", "6"},
       {"", "", "", "", "", "", "", "", "", "", "2"},
       "Out 36 - - | In 36 6 2 | Total 72 6 2 | +2"},
      {"cells that are not digits in range",
       "Oak",
       {},
       {"4 ", " 4", "x", "-1", "+4", "0", "31", "1000000000000", "07", "30", "\xEF\xBC\x94"},
       {"11", "-0", " 2", "2.0", "", "00"},
       "Out 36 7 0 | In 36 30 - | Total 72 37 0 | +29"},
      {"par cells that are not digits in range",
       "Own",
       {"2", "7", "4 ", "x", "", "03", "6", "3", "5"},
       {},
       {},
       "Out 17 - - | In - - - | Total 17 - - | -"},
      {"a played hole without a par",
       "Own",
       holeOneMissingPar,
       Repeat("4"),
       {},
       "Out 32 36 - | In 36 36 - | Total 68 72 - | -"},
      {"only the holes played need a par",
       "Own",
       front,
       Repeat("5", 9),
       {},
       "Out 36 45 - | In - - - | Total 36 45 - | +9"},
      {"a course name differing in case has none of the pars",
       "OAK",
       {},
       Repeat("4"),
       {},
       "Out - 36 - | In - 36 - | Total - 72 - | -"},
  };
  for (const auto& c : cases) {
    CourseTable own;
    own.InsertAtTop(Course("Own", c.pars));
    RoundRecord round{c.course};
    for (std::size_t i = 0; i < c.strokes.size(); ++i)
      round[ScoreColumn(static_cast<int>(i) + 1)] = c.strokes[i];
    for (std::size_t i = 0; i < c.putts.size(); ++i)
      round[PuttsColumn(static_cast<int>(i) + 1)] = c.putts[i];
    RoundTable rounds;
    rounds.InsertRow(0, round);
    const CourseTable& played = c.pars.empty() ? courses : own;

    EXPECT_EQ(Describe(SumRoundAtCourse(rounds, 0, played)), c.expected) << c.name;
    EXPECT_EQ(Describe(ParsByCourse(played).SumRound(rounds, 0)), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace larkspin
