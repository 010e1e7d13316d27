#pragma once

// A golfer's tables for the handicap's tests: courses of par 4 on every hole with the stroke index
// the hole's number, rated as asked, and rounds played on them.

#include <QDate>
#include <array>
#include <cstdlib>
#include <string>

#include "CourseTable.h"
#include "HandicapRecord.h"
#include "RatingsTable.h"
#include "RoundTable.h"
#include "support/Rounds.h"

namespace larkspin::testing {

struct Golf {
  RoundTable rounds;
  CourseTable courses;
  RatingsTable ratings;

  void AddCourse(const std::string& name, const std::string& rating, const std::string& slope) {
    CourseRecord course{name};
    RatingRecord rated{name, rating, slope};
    for (int hole = 1; hole <= kHoles; ++hole) {
      course[ParCell(hole)] = "4";
      rated[StrokeIndexCell(hole)] = std::to_string(hole);
    }
    courses.InsertAtTop(course);
    ratings.Insert(rated);
  }
  // A round of these strokes, on top of the list.
  void Play(const std::array<int, kHoles>& strokes, const QDate& day, const std::string& course) {
    RoundRecord round = MakeRound(course, day.toString(Qt::ISODate).toStdString());
    for (int hole = 1; hole <= kHoles; ++hole)
      round[ScoreColumn(hole)] = std::to_string(strokes[hole - 1]);
    rounds.InsertRow(0, round);
  }
  // A round `over` strokes over par 72, the extra strokes on the holes of lowest index first.
  void Play(int over, const QDate& day, const std::string& course) {
    std::array<int, kHoles> strokes;
    strokes.fill(4);
    for (int i = 0; i < std::abs(over); ++i)
      strokes[i % kHoles] += over > 0 ? 1 : -1;
    Play(strokes, day, course);
  }
  HandicapRecord Record(QDate today) const {
    return ComputeHandicapRecord(rounds, courses, ratings, today);
  }
};

}  // namespace larkspin::testing
