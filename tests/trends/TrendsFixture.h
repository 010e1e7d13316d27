#pragma once

// Hand-made rounds and courses for the trends tests.

#include <map>
#include <string>
#include <vector>

#include "CourseTable.h"
#include "RoundTable.h"
#include "Trends.h"

namespace larkspin::testing {

// A round with the given strokes (hole 1 first), putts and {hole, drive, club} cells.
struct Drive {
  int hole;
  std::string drive;
  std::string club;
};
inline RoundRecord Round(std::string course, std::string date, std::vector<std::string> strokes,
                         std::vector<std::string> putts = {}, std::vector<Drive> drives = {}) {
  RoundRecord round{std::move(course), std::move(date)};
  for (std::size_t i = 0; i < strokes.size(); ++i)
    round[ScoreColumn(static_cast<int>(i) + 1)] = strokes[i];
  for (std::size_t i = 0; i < putts.size(); ++i)
    round[PuttsColumn(static_cast<int>(i) + 1)] = putts[i];
  for (const Drive& drive : drives) {
    round[DriveColumn(drive.hole)] = drive.drive;
    round[ClubColumn(drive.hole)] = drive.club;
  }
  return round;
}

// 18 holes of `text`.
inline std::vector<std::string> Holes(std::string text) {
  return std::vector<std::string>(kHoles, text);
}

// 18 holes adding up to `score`: the first holes one stroke more than the rest.
inline std::vector<std::string> HolesScoring(int score) {
  std::vector<std::string> holes;
  for (int hole = 0; hole < kHoles; ++hole)
    holes.push_back(std::to_string(score / kHoles + (hole < score % kHoles ? 1 : 0)));
  return holes;
}

inline CourseRecord Course(std::string name, std::vector<std::string> pars) {
  CourseRecord course{std::move(name)};
  for (std::size_t i = 0; i < pars.size(); ++i)
    course[ParCell(static_cast<int>(i) + 1)] = pars[i];
  return course;
}

// Tables holding the rounds (first is the top row) and courses (first is the top row).
struct Tables {
  Tables(const std::vector<RoundRecord>& roundRows, const std::vector<CourseRecord>& courseRows) {
    for (const RoundRecord& round : roundRows)
      rounds.InsertRow(rounds.RowCount(), round);
    courses.InsertRowsAtTop(courseRows);
  }
  Trends Compute(TrendsChoice choice = {}, QDate today = QDate(2024, 12, 31)) const {
    return ComputeTrends(rounds, courses, choice, today);
  }
  RoundTable rounds;
  CourseTable courses;
};

inline std::map<std::string, std::string> SummaryOf(const Trends& trends) {
  std::map<std::string, std::string> values;
  for (const SummaryRow& row : trends.summary)
    values[row.figure] = row.value;
  return values;
}

}  // namespace larkspin::testing
