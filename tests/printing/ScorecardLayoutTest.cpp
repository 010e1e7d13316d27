// The printed card and record as laid out before they are drawn: what each row holds, the totals
// per nine, net and Stableford points, and where the figures come from.

#include <gtest/gtest.h>

#include "RecordLayout.h"
#include "ScorecardCard.h"
#include "ScorecardLayout.h"
#include "support/Golf.h"

namespace larkspin::testing {
namespace {

const QDate kToday(2025, 6, 1);

// A row's cells as one text, "|" between them, for comparing whole rows at a glance.
std::string Cells(const CardRow& row) {
  std::string text;
  for (const std::string& cell : row.cells)
    text += cell + "|";
  text.pop_back();
  return text;
}

std::array<int, kHoles> Fours() {
  std::array<int, kHoles> figures;
  figures.fill(4);
  return figures;
}

TEST(ScorecardLayout, Rows_holdTheHolesTotalsNetAndPoints) {
  struct Case {
    const char* what;
    std::function<void(CardFigures&)> change;
    CardRowIndex row;
    std::string cells;
  };
  // Par 4 everywhere but 3 on hole 2, stroke index the hole's number, playing handicap 20:
  // two strokes on holes 1 and 2, one on the others.
  const auto handicap = [](int playing) {
    CourseStrokes strokes{playing + 1, playing, {}};
    for (int hole = 0; hole < kHoles; ++hole)
      strokes.strokes[hole] = playing / 18 + (hole < playing % 18 ? 1 : 0) -
                              (playing < 0 && hole >= 18 + playing ? 1 : 0);
    return strokes;
  };
  const auto play = [](CardFigures& card) {
    card.strokes = Fours();
    card.strokes[0] = 7;  // net 5 on a par 4 with two strokes: 1 point
    card.strokes[1] = 2;  // net 0 on a par 3 with two: 5 points
    card.strokes[9] = 0;  // not played
    card.putts[0] = 2;
    card.putts[1] = 0;  // holed from off the green
  };
  const Case cases[] = {
      {"par with its nines", {}, kParRow, "4|3|4|4|4|4|4|4|4|35|4|4|4|4|4|4|4|4|4|36|71"},
      {"par unknown on a hole: no totals of its nine", [](CardFigures& card) { card.pars[10] = 0; },
       kParRow, "4|3|4|4|4|4|4|4|4|35|4||4|4|4|4|4|4|4||"},
      {"stroke index", {}, kStrokeIndexRow, "1|2|3|4|5|6|7|8|9||10|11|12|13|14|15|16|17|18||"},
      {"stroke index unknown without a rating", [](CardFigures& card) { card.rating.reset(); },
       kStrokeIndexRow, "||||||||||||||||||||"},
      {"received: dots as golfers mark them",
       {},
       kReceivedRow,
       "\u2022\u2022|\u2022\u2022|\u2022|\u2022|\u2022|\u2022|\u2022|\u2022|\u2022|11|"
       "\u2022|\u2022|\u2022|\u2022|\u2022|\u2022|\u2022|\u2022|\u2022|9|20"},
      {"received: a figure from three", [&](CardFigures& card) { card.handicap = handicap(38); },
       kReceivedRow,
       "3|3|\u2022\u2022|\u2022\u2022|\u2022\u2022|\u2022\u2022|\u2022\u2022|\u2022\u2022|"
       "\u2022\u2022|20|\u2022\u2022|\u2022\u2022|\u2022\u2022|\u2022\u2022|\u2022\u2022|"
       "\u2022\u2022|\u2022\u2022|\u2022\u2022|\u2022\u2022|18|38"},
      {"received: a plus handicap gives strokes back",
       [&](CardFigures& card) { card.handicap = handicap(-2); }, kReceivedRow,
       "|||||||||0||||||||-1|-1|-2|-2"},
      {"received: nothing without an Index", [](CardFigures& card) { card.handicap.reset(); },
       kReceivedRow, "||||||||||||||||||||"},
      {"a blank card's score", {}, kScoreRow, "||||||||||||||||||||"},
      {"score: totals of the holes played", play, kScoreRow,
       "7|2|4|4|4|4|4|4|4|37||4|4|4|4|4|4|4|4|32|69"},
      {"putts: a putt of 0 is written", play, kPuttsRow, "2|0||||||||2|||||||||||2"},
      {"net: strokes less received", play, kNetRow, "5|0|3|3|3|3|3|3|3|26||3|3|3|3|3|3|3|3|24|50"},
      {"Stableford points", play, kStablefordRow, "1|5|3|3|3|3|3|3|3|27||3|3|3|3|3|3|3|3|24|51"},
      {"no points or net without a handicap",
       [&](CardFigures& card) {
         play(card);
         card.handicap.reset();
       },
       kStablefordRow, "||||||||||||||||||||"},
      {"front nine alone: the In is blank, the Total the Out",
       [&](CardFigures& card) {
         play(card);
         for (int hole = 9; hole < kHoles; ++hole)
           card.strokes[hole] = 0;
       },
       kNetRow, "5|0|3|3|3|3|3|3|3|26|||||||||||26"},
      {"a blow-up hole scores no points",
       [&](CardFigures& card) {
         play(card);
         card.strokes[2] = 9;
       },
       kStablefordRow, "1|5|0|3|3|3|3|3|3|24||3|3|3|3|3|3|3|3|24|48"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CardFigures card;
    card.course = "Heron Lakes";
    card.pars = Fours();
    card.pars[1] = 3;
    card.rating = CourseRating{701, 129, {}};
    for (int hole = 0; hole < kHoles; ++hole)
      card.rating->strokeIndex[hole] = hole + 1;
    card.indexTenths = 129;
    card.handicap = handicap(20);
    card.format = "Individual stroke play 95 %";
    if (c.change) c.change(card);
    const ScorecardLayout layout = LayOutScorecard(card);
    ASSERT_EQ(layout.rows.size(), 7u);
    EXPECT_EQ(Cells(layout.rows[c.row]), c.cells);
  }
}

TEST(ScorecardLayout, HeadingsAndFacts) {
  CardFigures card;
  card.course = "Heron Lakes";
  card.rating = CourseRating{701, 129, {}};
  card.indexTenths = -12;
  card.handicap = CourseStrokes{-1, -2, {}};
  card.format = "Four-ball stroke play 85 %";
  ScorecardLayout layout = LayOutScorecard(card);
  EXPECT_EQ(layout.title, "Heron Lakes");
  EXPECT_EQ(Cells(layout.holes), "1|2|3|4|5|6|7|8|9|Out|10|11|12|13|14|15|16|17|18|In|Total");
  std::vector<std::string> headings;
  for (const CardRow& row : layout.rows)
    headings.push_back(row.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"Par", "Stroke index", "Strokes received", "Score",
                                                "Putts", "Net", "Stableford points"}));
  std::string facts;
  for (const CardFact& fact : layout.facts)
    facts += fact.label + ": " + fact.value + "; ";
  EXPECT_EQ(facts,
            "Course Rating: 70.1; Slope: 129; Date: ; Handicap Index: +1.2; Course handicap: +1; "
            "Playing handicap: +2; Format: Four-ball stroke play 85 %; ");

  card = CardFigures{};
  card.course = "Unrated";
  card.date = "2025-05-31";
  facts.clear();
  for (const CardFact& fact : LayOutScorecard(card).facts)
    facts += fact.label + ": " + fact.value + "; ";
  EXPECT_EQ(facts,
            "Course Rating: ; Slope: ; Date: 2025-05-31; Handicap Index: ; Course handicap: ; "
            "Playing handicap: ; Format: ; ");
}

TEST(ScorecardCard, TheCourseFromTheTablesAndTheGridsRoundOnItsOwnCourse) {
  Golf golf;
  golf.AddCourse("Even", "72.0", "113");
  const Allowance fourBall{2, 100};
  CardFigures card = CardFor("Even", golf.courses, golf.ratings, 200, fourBall);
  EXPECT_EQ(card.pars, Fours());
  ASSERT_TRUE(card.rating && card.handicap);
  EXPECT_EQ(card.handicap->courseHandicap, 20);
  EXPECT_EQ(card.handicap->playingHandicap, 17);
  EXPECT_EQ(card.format, "Four-ball stroke play 85 %");

  RoundRecord round = MakeRound("Even", "2025-05-31");
  round[ScoreColumn(1)] = "5";
  round[PuttsColumn(1)] = "0";
  round[ScoreColumn(2)] = "x";
  std::array<std::string, kHoles> gridPars;
  gridPars.fill("3");
  CardFigures other = card;
  PutRoundOnCard(card, round, gridPars);
  EXPECT_EQ(card.date, "2025-05-31");
  EXPECT_EQ(card.strokes[0], 5);
  EXPECT_EQ(card.putts[0], 0);
  EXPECT_EQ(card.strokes[1], 0);
  EXPECT_FALSE(card.putts[1]);
  EXPECT_EQ(card.pars, Fours());  // the course table's

  round[kCourseColumn] = "Elsewhere";
  PutRoundOnCard(other, round, gridPars);
  EXPECT_EQ(other.date, "");
  EXPECT_EQ(other.strokes[0], 0);

  // A course the course table does not have takes the grid's pars.
  CardFigures typed = CardFor("Elsewhere", golf.courses, golf.ratings, 200, fourBall);
  EXPECT_FALSE(typed.rating || typed.handicap);
  PutRoundOnCard(typed, round, gridPars);
  EXPECT_EQ(typed.pars[17], 3);
}

TEST(RecordLayout, TheMostRecentTwentyNewestFirst) {
  Golf golf;
  golf.AddCourse("Even", "72.0", "113");
  for (int week = 25; week >= 1; --week)
    golf.Play(week % 5, kToday.addDays(-7 * week), "Even");
  const RecordLayout page = LayOutRecord(golf.Record(kToday), kToday);
  EXPECT_EQ(page.title, "Scoring record");
  ASSERT_EQ(page.facts.size(), 2u);
  EXPECT_EQ(page.facts[0].value, "0.5");  // four 0.0 and four 1.0
  EXPECT_EQ(page.facts[1].value, "2025-06-01");
  ASSERT_EQ(page.rows.size(), 20u);
  EXPECT_EQ(page.rows.front(), (std::vector<std::string>{"2025-05-25", "Even", "73", "73", "72.0",
                                                         "113", "1.0", "\u2713"}));
  EXPECT_EQ(page.rows.back()[0], "2025-01-12");
  EXPECT_EQ(page.headings.size(), page.rows.front().size());
  EXPECT_EQ(page.numeric.size(), page.headings.size());
}

}  // namespace
}  // namespace larkspin::testing
