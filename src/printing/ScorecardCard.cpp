#include "ScorecardCard.h"

#include <algorithm>

#include "CellReading.h"
#include "HandicapCourse.h"
#include "HandicapRecord.h"

namespace larkspin {

CardFigures CardFor(std::string_view course, const CourseTable& courses,
                    const RatingsTable& ratings, std::optional<int> indexTenths,
                    const Allowance& allowance) {
  CardFigures card;
  card.course = std::string(course);
  const HandicapCourse found = LookUpHandicapCourse(course, courses, ratings);
  if (found.hasPars) card.pars = found.pars;
  card.rating = found.rating;
  card.indexTenths = indexTenths;
  card.handicap = CourseStrokesFor(course, courses, ratings, indexTenths, allowance.Percent());
  card.format = allowance.Text();
  return card;
}

void PutRoundOnCard(CardFigures& card, const RoundRecord& round,
                    const std::array<std::string, kHoles>& pars) {
  if (round[kCourseColumn] != card.course) return;
  card.date = round[kDateColumn];
  const bool parsKnown =
      std::any_of(card.pars.begin(), card.pars.end(), [](int par) { return par > 0; });
  for (int hole = 1; hole <= kHoles; ++hole) {
    const auto i = static_cast<std::size_t>(hole - 1);
    card.strokes[i] = ReadStrokes(round[ScoreColumn(hole)]);
    if (const int putts = ReadPutts(round[PuttsColumn(hole)]); putts >= 0) card.putts[i] = putts;
    if (!parsKnown) card.pars[i] = ReadPar(pars[i]);
  }
}

CardFigures PrintedCard(std::string_view course, const RoundRecord& gridRound,
                        const std::array<std::string, kHoles>& gridPars, const RoundTable& rounds,
                        const CourseTable& courses, const RatingsTable& ratings, QDate today,
                        const Allowance& allowance) {
  const HandicapRecord record = ComputeHandicapRecord(rounds, courses, ratings, today);
  CardFigures card = CardFor(course, courses, ratings, record.indexTenths, allowance);
  PutRoundOnCard(card, gridRound, gridPars);
  return card;
}

}  // namespace larkspin
