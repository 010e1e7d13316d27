#pragma once

#include <QDate>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  bool used = false;               // one of the differentials the present Index is made of
  std::optional<int> indexTenths;  // the Index after it; nothing before the third counted round
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
  int date = 0;  // YYYYMMDD of the round after which the Index stood so
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
  std::vector<IndexPoint> indexSeries;      // the Index after each counted round that has one
  std::optional<int> indexTenths;           // the Index now; nothing with fewer than three rounds
  // The names of the counted rounds' courses, once each: a deque keeps them where they are.
  std::deque<std::string> courseNames;
};

// The golfer's Handicap Index after the World Handicap System's rules, from the rounds, the pars
// of the courses and their ratings, with `today` from the clock.
//
// A round counts when its date is a real day not after today, its course (the first row from the
// top of that name) has 18 pars, its course is rated (see ReadCourseRating) and at least 14 of its
// holes were played (see ReadStrokes). Counted rounds are taken oldest first, on one date the one
// lower in the round list first. For each, with the Index in force before it: the course handicap
// and the strokes received on each hole, the adjusted gross score, the score differential, the
// exceptional score reductions, the Index after it from the table of the most recent 20
// differentials, from the 21st counted round on the soft and hard caps against the lowest Index
// of the 365 days before the round, and at most 54.0. See HandicapRules.h.
HandicapRecord ComputeHandicapRecord(const RoundTable& rounds, const CourseTable& courses,
                                     const RatingsTable& ratings, QDate today);

}  // namespace larkspin
