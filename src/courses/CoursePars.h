#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include "RoundTotals.h"

namespace larkspin {

class CourseTable;

// A round is played against the pars of the first course row from the top with exactly its
// course's name (case-sensitive, whole text).

// That course's pars; all 0 when there is none.
HolePars CoursePars(const CourseTable& courses, std::string_view name);
// The totals of the table's row against its course's pars.
RoundTotals SumRoundAtCourse(const RoundTable& rounds, int row, const CourseTable& courses);

// Every text the figure takes over the table's rounds, each once.
std::set<std::string> FigureTexts(const RoundTable& rounds, const CourseTable& courses,
                                  RoundFigure figure);

// The same for many rounds, each course looked up once. Valid while the course table is
// unchanged.
class ParsByCourse {
 public:
  explicit ParsByCourse(const CourseTable& courses) : courses_(courses) {}

  const HolePars& Of(std::string_view name);
  RoundTotals SumRound(const RoundTable& rounds, int row);

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>{}(name);
    }
  };

  const CourseTable& courses_;
  std::unordered_map<std::string, HolePars, NameHash, std::equal_to<>> pars_;
};

}  // namespace larkspin
