// The "Summary" figures by golf's usual definitions, on small hand-made tables.
#include <gtest/gtest.h>

#include "TrendsFixture.h"

namespace larkspin {
namespace {

using testing::Course;
using testing::Holes;
using testing::HolesScoring;
using testing::Round;
using testing::SummaryOf;
using testing::Tables;

struct Case {
  const char* name;
  std::vector<RoundRecord> rounds;
  std::vector<CourseRecord> courses;
  std::map<std::string, std::string> expected;  // figure: value
};

void ExpectFigures(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const auto summary = SummaryOf(Tables(c.rounds, c.courses).Compute());
    for (const auto& [figure, value] : c.expected)
      EXPECT_EQ(summary.at(figure), value) << c.name << ": " << figure;
  }
}

const CourseRecord kOak = Course("Oak", Holes("4"));  // par 72

// `count` rounds of one score on Oak.
std::vector<RoundRecord> Scores(std::vector<std::pair<int, int>> countAndScore) {
  std::vector<RoundRecord> rounds;
  for (const auto& [count, score] : countAndScore)
    rounds.insert(rounds.end(), count, Round("Oak", "2024-05-01", HolesScoring(score)));
  return rounds;
}

TEST(Summary, AHoleIsPlayedWhenItsStrokesAreDigitsReadingOneToThirty) {
  std::vector<std::string> odd = {"4 ", "x", "-1", "31", "07", "0", ""};
  std::vector<std::string> seventeen = Holes("4");
  seventeen[17] = "x";
  std::vector<std::string> allPlayed = Holes("4");
  allPlayed[0] = "07";
  ExpectFigures({
      {"only \"07\" is played",
       {Round("Oak", "2024-05-01", odd)},
       {kOak},
       {{"Rounds", "1"}, {"18-hole rounds", "0"}, {"Scoring average", "\u2013"}}},
      {"no played hole, no round",
       {Round("Oak", "2024-05-01", {"x", "31"})},
       {kOak},
       {{"Rounds", "0"}}},
      {"17 played holes",
       {Round("Oak", "2024-05-01", seventeen)},
       {kOak},
       {{"Rounds", "1"}, {"18-hole rounds", "0"}}},
      {"18 played holes score their sum",
       {Round("Oak", "2024-05-01", allPlayed), Round("Oak", "2024-05-02", {"4", "4"})},
       {kOak},
       {{"Rounds", "2"}, {"18-hole rounds", "1"}, {"Scoring average", "75.0"}}},
  });
}

TEST(Summary, MeansRoundHalvesAwayFromZeroFromWholeSums) {
  ExpectFigures({
      {"88.85 and +16.85",
       Scores({{17, 89}, {3, 88}}),
       {kOak},
       {{"Scoring average", "88.9"}, {"Average to par", "+16.9"}}},
      {"-0.45",
       Scores({{9, 71}, {11, 72}}),
       {kOak},
       {{"Average to par", "-0.5"}, {"Scoring average", "71.6"}}},
      {"-0.04 is even", Scores({{1, 71}, {24, 72}}), {kOak}, {{"Average to par", "E"}}},
  });
}

TEST(Summary, ParsComeFromTheFirstCourseOfExactlyTheRoundsCourse) {
  std::vector<std::string> oddPars = Holes("4");
  oddPars[1] = "07";
  oddPars[2] = "2";
  oddPars[3] = "4 ";
  ExpectFigures({
      {"the first of two rows",
       {Round("Oak", "2024-05-01", Holes("4"))},
       {Course("Oak", Holes("3")), Course("Oak", Holes("5"))},
       {{"Average to par", "+18.0"}, {"Bogeys", "18 (100.0%)"}}},
      {"odd pars give no to-par; the others count",
       {Round("Elm", "2024-05-01", Holes("4"))},
       {Course("Elm", oddPars)},
       {{"Average to par", "\u2013"}, {"Pars", "15 (100.0%)"}, {"Scoring average", "72.0"}}},
      {"no course of that name, as written",
       {Round("oak", "2024-05-01", Holes("4"))},
       {kOak},
       {{"Average to par", "\u2013"}, {"Pars", "\u2013"}, {"Scoring average", "72.0"}}},
  });
}

TEST(Summary, PuttsPerRoundCountRoundsWhoseEighteenPuttsAreZeroToTen) {
  std::vector<std::string> withMinusOne = Holes("1");
  withMinusOne[5] = "-1";
  std::vector<std::string> withTen = Holes("1");
  withTen[0] = "10";
  ExpectFigures(
      {{"a \"-1\" leaves its round out",
        {Round("Oak", "2024-05-01", Holes("4"), Holes("2")),
         Round("Oak", "2024-05-01", Holes("4"), withMinusOne),
         Round("Oak", "2024-05-01", Holes("4"), withTen), Round("Oak", "2024-05-01", {"4"}, {"0"})},
        {kOak},
        {{"Putts per round", "31.5"}}}});
}

TEST(Summary, GreensInRegulationAreHolesReachedInParMinusTwo) {
  std::vector<std::string> pars = Holes("4");
  pars[5] = "";
  ExpectFigures({{"hit, missed, hit; no putts or no par left out",
                  {Round("Oak", "2024-05-01", {"4", "5", "3", "4", "4", "4"},
                         {"2", "2", "1", "-1", "", "1"})},
                  {Course("Oak", pars)},
                  {{"Greens in regulation", "66.7%"}}}});
}

TEST(Summary, ScoringClassesCountHolesWithAParByStrokesOverPar) {
  ExpectFigures({{"two eagles or better, one each between, two doubles or worse",
                  {Round("Oak", "2024-05-01", {"2", "1", "3", "4", "5", "6", "9"})},
                  {kOak},
                  {{"Eagles or better", "2 (28.6%)"},
                   {"Birdies", "1 (14.3%)"},
                   {"Pars", "1 (14.3%)"},
                   {"Bogeys", "1 (14.3%)"},
                   {"Double bogeys or worse", "2 (28.6%)"}}}});
}

TEST(Summary, BestRoundIsTheLowestScoreTheEarliestDateOnATie) {
  const auto holes = HolesScoring(78);
  ExpectFigures(
      {{"tie on score and day goes lower in the table, undated last",
        {Round("Pine", "2024-07-01", holes), Round("Oak", "2024-06-02", holes),
         Round("Oak", "2024-06-01", HolesScoring(80)),
         Round("Sahm Golf Course", "2024-06-02", holes), Round("Elm", "", holes),
         Round("Elm", "June 1", holes)},
        {},
        {{"Best round", "78 (2024-06-02, Sahm Golf Course)"}}},
       {"a round with no date", {Round("Elm", "", holes)}, {}, {{"Best round", "78 (Elm)"}}}});
}

TEST(Summary, NoRoundsGiveADashAndChartsSaySo) {
  const Trends trends = Tables({}, {kOak}).Compute();
  std::vector<std::string> figures;
  for (const SummaryRow& row : trends.summary) {
    figures.push_back(row.figure);
    const bool count = row.figure == "Rounds" || row.figure == "18-hole rounds";
    EXPECT_EQ(row.value, count ? "0" : "\u2013") << row.figure;
  }
  EXPECT_EQ(figures,
            (std::vector<std::string>{"Rounds", "18-hole rounds", "Scoring average", "Best round",
                                      "Average to par", "Putts per round", "Greens in regulation",
                                      "Eagles or better", "Birdies", "Pars", "Bogeys",
                                      "Double bogeys or worse"}));
  for (const Chart& chart : trends.charts)
    EXPECT_EQ(chart.emptyText, "No rounds in this choice") << chart.title;
}

}  // namespace
}  // namespace larkspin
