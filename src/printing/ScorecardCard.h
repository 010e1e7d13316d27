#pragma once

#include <QDate>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "PlayingHandicap.h"
#include "RoundRecord.h"
#include "ScorecardLayout.h"

namespace larkspin {

class CourseTable;
class RatingsTable;

// A blank card for `course`: its pars from the course table (the first row of the name), its
// ratings, and at the Index its course handicap, its playing handicap at the allowance and the
// strokes that gives on each hole.
CardFigures CardFor(std::string_view course, const CourseTable& courses,
                    const RatingsTable& ratings, std::optional<int> indexTenths,
                    const Allowance& allowance);

// The grid's round on the card when it is on the card's course: its date, strokes and putts, and
// its pars where the course table gives none.
void PutRoundOnCard(CardFigures& card, const RoundRecord& round,
                    const std::array<std::string, kHoles>& pars);

class RoundTable;

// The card the window prints for `course`: at the Index the record gives today, with the grid's
// round on it when the grid holds one on that course.
CardFigures PrintedCard(std::string_view course, const RoundRecord& gridRound,
                        const std::array<std::string, kHoles>& gridPars, const RoundTable& rounds,
                        const CourseTable& courses, const RatingsTable& ratings, QDate today,
                        const Allowance& allowance);

}  // namespace larkspin
