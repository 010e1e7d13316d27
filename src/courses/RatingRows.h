#pragma once

#include <optional>
#include <string>
#include <vector>

#include "RatingRecord.h"

namespace larkspin {

class CourseTable;
class RatingsTable;

// The rows of the "Course Ratings" dialog: one per distinct course name of the course table, in
// the course selector's order, each with the name's ratings record (the first, where a file gave
// two) or, when there is none, with empty cells.
std::vector<RatingRecord> RatingRows(const CourseTable& courses, const RatingsTable& ratings);

// What "OK" of the dialog says of its rows as typed, each judged as RatingsBook::Replace would
// keep it (trimmed): a sentence "<course>: <what is wrong>." for each row that is neither valid
// nor empty (see RatingProblem), a line each, the first ten and then "and <count> more.";
// nothing when every row is.
std::optional<std::string> RatingsRefusal(const std::vector<RatingRecord>& typed);

}  // namespace larkspin
