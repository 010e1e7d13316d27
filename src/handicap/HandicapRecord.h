#pragma once

#include <QDate>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HandicapRules.h"

namespace larkspin {

class CourseTable;
class RatingsTable;
class RoundTable;

// A round that counts for the Handicap Index, as the scoring record shows it.
struct CountedRound {
  int row = 0;              // in the round table
  int date = 0;             // YYYYMMDD
  std::string_view course;  // the name, kept by the record
  int score = 0;            // the played holes' strokes
  int adjustedGross = 0;    // net double bogey and net par, or par + 5 and par before an Index
  int ratingTenths = 0;
  int slope = 0;
  int differentialTenths = 0;      // with its reductions
  int reductionTenths = 0;         // what exceptional scores took off it
  int exceptionalTenths = 0;       // what it took off itself and the 19 before, as exceptional
  bool used = false;               // one of the differentials the present Index is made of
  std::optional<int> indexTenths;  // the Index after it; nothing before the third counted round
  // The Low Handicap Index the Index after it was held against; nothing before the 20th.
  std::optional<int> lowIndexTenths;
  IndexCap cap = IndexCap::kNone;  // the cap that held the Index after it down
  int uncappedTenths = 0;          // with a cap, the Index it would have been without
};

// The reasons a round does not count, the first that applies in this order.
inline constexpr std::string_view kNoDateReason = "no date";
inline constexpr std::string_view kNoParsReason = "no pars";
inline constexpr std::string_view kNoRatingReason = "no rating";
inline constexpr std::string_view kFewHolesReason = "fewer than 14 holes";

struct NotCountedRound {
  int row = 0;       // in the round table
  std::string date;  // the texts as the round table holds them
  std::string course;
  std::string_view reason;  // one of the four above
};

struct IndexPoint {
  int date = 0;  // YYYYMMDD of the day at whose end the Index stood so
  int indexTenths = 0;
};

// Moved, never copied: the counted rounds' names point into it.
struct HandicapRecord {
  HandicapRecord() = default;
  HandicapRecord(HandicapRecord&&) = default;
  HandicapRecord& operator=(HandicapRecord&&) = default;
  HandicapRecord(const HandicapRecord&) = delete;
  HandicapRecord& operator=(const HandicapRecord&) = delete;

  std::vector<CountedRound> counted;        // oldest first
  std::vector<NotCountedRound> notCounted;  // in the round table's order, top row first
  std::vector<IndexPoint> indexSeries;      // the Index at the end of each day with one
  std::optional<int> indexTenths;           // the Index now; nothing with fewer than three rounds
  std::optional<int> lowIndexTenths;        // the Low Index it was held against, from the 20th
  // The names of the counted rounds' courses, once each: a deque keeps them where they are.
  std::deque<std::string> courseNames;
};

// The golfer's Handicap Index after the World Handicap System's rules, from the rounds, the pars
// of the courses and their ratings, with `today` from the clock.
//
// A round counts when its date is a real day not after today, its course (the first row from the
// top of that name) has 18 pars, its course is rated (see ReadCourseRating) and at least 14 of its
// holes were played (see ReadStrokes). Counted rounds are taken oldest first; rounds of one day in
// the order of what they hold, never of where they stand in the list: by the course's name as
// UTF-8 bytes, then by the strokes of holes 1 to 18 as numbers, a hole not played first.
//
// The Index is revised once a day: every round of a day is played off the Index in force when the
// day began, for its course handicap and strokes received on each hole, its adjusted gross score
// and its exceptional score reduction. Then, for each round: the score differential, the Index
// after it from the table of the most recent 20 differentials, from the 20th counted round on the
// soft and hard caps against the Low Handicap Index, and at most 54.0. The Low Index is the lowest
// of the Indexes at the end of the days from 365 days before the round's day up to the day before
// it, and of the one in force when that stretch began. See HandicapRules.h.
HandicapRecord ComputeHandicapRecord(const RoundTable& rounds, const CourseTable& courses,
                                     const RatingsTable& ratings, QDate today);

}  // namespace larkspin
