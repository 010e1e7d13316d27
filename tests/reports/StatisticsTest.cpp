#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "HtmlText.h"
#include "ReportStatistics.h"
#include "StatisticsTables.h"

namespace larkspin {
namespace {

constexpr int kClubD = 14;
constexpr int kPar3 = 0;
constexpr int kPar4 = 1;
constexpr int kPar5 = 2;

TEST(Drives, CountOnlyTheSeventeenClubCodesExactly) {
  ReportStatistics s;
  AddDrive(s, "D", "250");
  AddDrive(s, "D", "");     // a drive of length 0
  AddDrive(s, "d", "300");  // not a club code
  AddDrive(s, "D ", "300");
  AddDrive(s, "", "300");
  AddDrive(s, "SW", "80");
  EXPECT_EQ(s.drives[kClubD], 2);
  EXPECT_EQ(s.driveDistance[kClubD], 250);
  EXPECT_EQ(s.longestDrive[kClubD], 250);
  EXPECT_EQ(s.drives[16], 1);
  EXPECT_EQ(s.drives[0] + s.drives[9] + s.drives[15], 0);
}

TEST(Drives, ANegativeDriveNeverBecomesTheLongest) {
  ReportStatistics s;
  AddDrive(s, "3W", "-20");
  EXPECT_EQ(s.longestDrive[11], 0);
  EXPECT_EQ(s.driveDistance[11], -20);
}

TEST(HoleShots, CountsHolesOfParThreeToFiveAndSplitsStrokesByScoreText) {
  ReportStatistics s;
  AddHoleShots(s, "4", "4");
  AddHoleShots(s, "4", "4");
  AddHoleShots(s, "4", "");    // a hole played, no strokes
  AddHoleShots(s, "4", "12");  // beyond "10"
  AddHoleShots(s, "4", "04");  // not the text "4"
  AddHoleShots(s, "4", "0");
  AddHoleShots(s, "3", "10");
  AddHoleShots(s, "6", "4");  // no such par
  AddHoleShots(s, "", "4");
  AddHoleShots(s, " 4", "4");
  EXPECT_EQ(s.strokesByScore[kPar4][3], 8);
  EXPECT_EQ(s.otherStrokes[kPar4], 12 + 4 + 0);
  EXPECT_EQ(s.holesPlayed[kPar4], 6);
  EXPECT_EQ(s.strokesByScore[kPar3][9], 10);
  EXPECT_EQ(s.holesPlayed[kPar3], 1);
  EXPECT_EQ(s.holesPlayed[kPar5], 0);
}

// The class of one hole: "under", "in" or "over", under any par; "none" when no class counts it.
std::string Regulation(std::string_view par, std::string_view score, std::string_view putts) {
  ReportStatistics s;
  AddGreenInRegulation(s, par, score, putts);
  for (int p = 0; p < ReportStatistics::kPars; ++p) {
    if (s.underRegulation[p] == 1) return "under";
    if (s.inRegulation[p] == 1) return "in";
    if (s.overRegulation[p] == 1) return "over";
  }
  return "none";
}

TEST(GreensInRegulation, ClassifyByStrokesBeforeTheFirstPutt) {
  // Par 3: one stroke to the green is in; there is no under.
  EXPECT_EQ(Regulation("3", "1", "0"), "in");  // a hole in one
  EXPECT_EQ(Regulation("3", "3", "2"), "in");
  EXPECT_EQ(Regulation("3", "2", "0"), "over");
  EXPECT_EQ(Regulation("3", "2", "2"), "over");  // d = 0
  // Par 4: 1 under, 2 in, else over.
  EXPECT_EQ(Regulation("4", "3", "2"), "under");
  EXPECT_EQ(Regulation("4", "4", "2"), "in");
  EXPECT_EQ(Regulation("4", "4", ""), "over");   // d = 4
  EXPECT_EQ(Regulation("4", "2", "3"), "over");  // d < 0
  // Par 5: 1 and 2 under, 3 in.
  EXPECT_EQ(Regulation("5", "2", "1"), "under");
  EXPECT_EQ(Regulation("5", "4", "2"), "under");
  EXPECT_EQ(Regulation("5", "5", "2"), "in");
  EXPECT_EQ(Regulation("5", "7", "2"), "over");
  // The texts need not be exact, only the par; no par, no class.
  EXPECT_EQ(Regulation("4", " 4x", "+2"), "in");
  EXPECT_EQ(Regulation("6", "4", "2"), "none");
}

TEST(GreensInRegulation, ExtremeNumbersDoNotWrapIntoAClass) {
  // Held at the 32-bit bounds, their difference still does not wrap round to 2.
  EXPECT_EQ(Regulation("4", "-99999999999", "99999999999"), "over");
  EXPECT_EQ(Regulation("4", "99999999999", "-99999999999"), "over");
}

TEST(Putts, CountEachTextFromZeroToTenAndEverythingElseAsOther) {
  ReportStatistics s;
  for (const char* putts : {"0", "2", "2", "10", "", "11", "02", "x", "-1"})
    AddPutts(s, putts);
  EXPECT_EQ(s.puttCount[0], 1);
  EXPECT_EQ(s.puttCount[2], 2);
  EXPECT_EQ(s.puttCount[10], 1);
  EXPECT_EQ(s.otherPuttCount, 5);
  EXPECT_EQ(s.totalPutts, 0 + 2 + 2 + 10 + 0 + 11 + 2 + 0 - 1);
}

TEST(Rounds, AddEveryHoleAndMissingParsCountOnlyDrivesAndPutts) {
  RoundCells round{};
  ParTexts pars{};
  for (int hole = 1; hole <= kHoles; ++hole) {
    round[ScoreColumn(hole)] = "4";
    round[DriveColumn(hole)] = "200";
    round[ClubColumn(hole)] = "D";
    round[PuttsColumn(hole)] = "2";
    pars[hole - 1] = hole == 1 ? "4" : "";  // only hole 1 has a par
  }
  ReportStatistics s;
  AddRoundToStatistics(s, round, pars);
  AddRoundToStatistics(s, round, pars);
  EXPECT_EQ(s.roundsPlayed, 2);
  EXPECT_EQ(s.holeScoreSum[0], 8);
  EXPECT_EQ(s.holeScoreSum[17], 8);
  EXPECT_EQ(s.drives[kClubD], 36);
  EXPECT_EQ(s.holesPlayed[kPar4], 2);
  EXPECT_EQ(s.inRegulation[kPar4], 2);
  EXPECT_EQ(s.puttCount[2], 36);  // every hole of a round passes here: 18 a round
}

TEST(Rounds, SumsAreSixtyFourBit) {
  RoundCells round{};
  for (int hole = 1; hole <= kHoles; ++hole) {
    round[ScoreColumn(hole)] = "99999999999";
    round[PuttsColumn(hole)] = "99999999999";
  }
  ReportStatistics s;
  AddRoundToStatistics(s, round, ParTexts{});
  EXPECT_EQ(s.holeScoreSum[0], INT_MAX);
  EXPECT_EQ(s.totalPutts, std::int64_t{18} * INT_MAX);
}

// The statistics tables' text between two markers.
std::string Between(const std::string& html, std::string_view from, std::string_view to) {
  const auto start = html.find(from);
  const auto end = html.find(to, start);
  if (start == std::string::npos || end == std::string::npos) return "<not found>";
  return html.substr(start, end - start);
}

TEST(StatisticsTables, LeaveOutShotRowsThatAddUpToNothing) {
  ReportStatistics s;
  s.roundsPlayed = 1;
  AddHoleShots(s, "4", "4");
  AddHoleShots(s, "3", "");
  std::string html;
  AppendStatisticsTables(html, s);
  EXPECT_EQ(Between(html, "<h2>Shots Per Hole</h2>", "<tr><td>Holes Played"),
            "<h2>Shots Per Hole</h2><table border=1 cellpadding=2>"
            "<tr><td>Par</td><td>3</td><td>4</td><td>5</td><td>Total</td></tr>"
            "<tr><td>4 Shots</td><td>0</td><td>4</td><td>0</td><td>4</td></td></tr>");
  EXPECT_NE(html.find("<tr><td>Holes Played</td><td>1</td><td>1</td><td>0</td><td>2</td></tr>"
                      "<tr><td>Total Shots</td><td>0</td><td>4</td><td>0</td><td>4</td></tr>"
                      "<tr><td>Av.</td><td>0.00</td><td>4.00</td><td>0.00</td><td>2.00</td></tr>"),
            std::string::npos)
      << html;
}

TEST(StatisticsTables, WriteTheAlwaysRowsEvenWithoutAnyShot) {
  ReportStatistics s;
  s.roundsPlayed = 1;
  AddHoleShots(s, "4", "");
  AddHoleShots(s, "5", "0");
  std::string html;
  AppendStatisticsTables(html, s);
  EXPECT_EQ(Between(html, "<h2>Shots Per Hole</h2>", "<tr><td>Holes Played"),
            "<h2>Shots Per Hole</h2><table border=1 cellpadding=2>"
            "<tr><td>Par</td><td>3</td><td>4</td><td>5</td><td>Total</td></tr>");
  EXPECT_NE(html.find("<tr><td>Holes Played</td><td>0</td><td>1</td><td>1</td><td>2</td></tr>"),
            std::string::npos);
}

TEST(StatisticsTables, ShotRowsAreLabelledOneShotThenNShots) {
  for (int score = 1; score <= 10; ++score) {
    ReportStatistics s;
    const std::string n = std::to_string(score);
    AddHoleShots(s, "4", n);
    std::string html;
    AppendStatisticsTables(html, s);
    const std::string label = score == 1 ? "1 Shot" : n + " Shots";
    const std::string end = score == 4 ? "</td></td></tr>" : "</td></tr>";
    EXPECT_NE(html.find("<tr><td>" + label + "</td><td>0</td><td>" + n + "</td><td>0</td><td>" + n +
                        end + "<tr><td>Holes Played</td>"),
              std::string::npos)
        << html;
  }
}

TEST(StatisticsTables, ElevenPlusRowTakesEveryOtherScore) {
  ReportStatistics s;
  AddHoleShots(s, "4", "12");
  std::string html;
  AppendStatisticsTables(html, s);
  EXPECT_NE(html.find("<tr><td>11 Shots+</td><td>0</td><td>12</td><td>0</td><td>12</td></tr>"
                      "<tr><td>Holes Played</td>"),
            std::string::npos);
}

TEST(StatisticsTables, AveragesTruncateWholeNumbersAndRoundRealOnes) {
  ReportStatistics s;
  AddDrive(s, "D", "250");
  AddDrive(s, "D", "251");
  AddDrive(s, "D", "");  // 501 / 3 = 167
  AddDrive(s, "1I", "-7");
  AddDrive(s, "1I", "0");  // -7 / 2 is -3, toward zero
  for (const char* score : {"4", "4", "5"})
    AddHoleShots(s, "3", score);  // 13 / 3 = 4.33
  for (const char* putts : {"2", "2", "1"})
    AddPutts(s, putts);  // 5 / 3 = 1
  std::string html;
  AppendStatisticsTables(html, s);
  EXPECT_NE(html.find("<tr><td>Av. Drive</td><td>-3</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>0</td><td>167</td><td>0</td><td>0</td><td>98</td><td>0</td></tr>"),
            std::string::npos)
      << "D's average, then PW, SW, then 494 / 5 over all clubs and the empty total";
  EXPECT_NE(html.find("<tr><td>Av.</td><td>4.33</td><td>0.00</td><td>0.00</td><td>4.33</td></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("<td>3</td><td>1</td></tr></table>"), std::string::npos)
      << "three holes, one putt on average";
}

TEST(StatisticsTables, UnderRegulationRowCarriesTheExtraCellEnd) {
  ReportStatistics s;
  AddGreenInRegulation(s, "5", "4", "2");
  std::string html;
  AppendStatisticsTables(html, s);
  EXPECT_NE(html.find("<tr><td>Under Regulation</td><td>0</td><td>0</td><td>1</td><td>1</td>"
                      "</td></tr><tr><td>In Regulation</td>"),
            std::string::npos);
}

TEST(StatisticsTables, PrintSixtyFourBitCountsExactly) {
  ReportStatistics s;
  s.drives[kClubD] = 3;
  s.driveDistance[kClubD] = std::int64_t{3} * INT_MAX;
  std::string html;
  AppendStatisticsTables(html, s);
  EXPECT_NE(html.find("<td>6442450941</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>2147483647</td>"), std::string::npos);
}

TEST(HtmlText, EscapesTheFiveMarkupCharactersAndNothingElse) {
  std::string html;
  AppendEscaped(html, "Oak & <Hills> \"Club\" 'East' Zürich =/;");
  EXPECT_EQ(html, "Oak &amp; &lt;Hills&gt; &quot;Club&quot; &#39;East&#39; Zürich =/;");
}

TEST(HtmlText, RealNumbersHaveTwoDecimalsWhateverTheLocale) {
  std::string html;
  AppendRealNumber(html, 4.5);
  html += ' ';
  AppendRealNumber(html, 13.0 / 3.0);
  html += ' ';
  AppendRealNumber(html, 0.125);  // exactly halfway: to even, as printf does
  html += ' ';
  AppendRealNumber(html, -2.0 / 3.0);
  EXPECT_EQ(html, "4.50 4.33 0.12 -0.67");
}

}  // namespace
}  // namespace larkspin
