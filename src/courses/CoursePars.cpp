#include "CoursePars.h"

#include "CellReading.h"
#include "CourseTable.h"
#include "RoundTable.h"

namespace larkspin {

HolePars CoursePars(const CourseTable& courses, std::string_view name) {
  HolePars pars{};
  if (const int row = courses.FindFirst(name); row >= 0) {
    const CourseRecord& course = courses.Row(row);
    for (int hole = 1; hole <= kHoles; ++hole)
      pars[hole - 1] = ReadPar(course[ParCell(hole)]);
  }
  return pars;
}

RoundTotals SumRoundAtCourse(const RoundTable& rounds, int row, const CourseTable& courses) {
  return larkspin::SumRound(ScoreCellsOf(rounds, row),
                            CoursePars(courses, rounds.Cell(row, kCourseColumn)));
}

std::set<std::string> FigureTexts(const RoundTable& rounds, const CourseTable& courses,
                                  RoundFigure figure) {
  ParsByCourse pars(courses);
  std::set<std::string> texts;
  for (int row = 0; row < rounds.RowCount(); ++row)
    texts.insert(FigureText(pars.SumRound(rounds, row), figure));
  return texts;
}

const HolePars& ParsByCourse::Of(std::string_view name) {
  auto found = pars_.find(name);
  if (found == pars_.end()) found = pars_.emplace(name, CoursePars(courses_, name)).first;
  return found->second;
}

RoundTotals ParsByCourse::SumRound(const RoundTable& rounds, int row) {
  return larkspin::SumRound(ScoreCellsOf(rounds, row), Of(rounds.Cell(row, kCourseColumn)));
}

}  // namespace larkspin
