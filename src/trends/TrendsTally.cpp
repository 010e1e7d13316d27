#include "TrendsTally.h"

#include <algorithm>

#include "CellReading.h"
#include "ClubCode.h"
#include "CourseTable.h"
#include "RoundTable.h"

namespace larkspin {

namespace {

int ScoringClass(int strokesOverPar) {
  return std::clamp(strokesOverPar, -2, 2) + 2;
}

// The club code a text names without regard to case, -1 for any other text.
int ClubCodeIndex(std::string_view club) {
  for (std::size_t i = 0; i < kClubCodes.size(); ++i) {
    const std::string_view code = kClubCodes[i];
    if (club.size() == code.size() &&
        std::equal(club.begin(), club.end(), code.begin(),
                   [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 32 : a) == b; })) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void AddDrive(DriveTally& tally, int drive) {
  tally.shortest = tally.count == 0 ? drive : std::min(tally.shortest, drive);
  tally.longest = std::max(tally.longest, drive);
  tally.sum += drive;
  ++tally.count;
}

}  // namespace

TrendsTally TallyRounds(const RoundTable& rounds, const CourseTable& courses,
                        const std::vector<int>& rows) {
  TrendsTally tally;
  ParsByCourse parsByCourse(courses);
  for (const int row : rows) {
    const RoundCells cells = rounds.Cells(row);
    const HolePars& pars = parsByCourse.Of(cells[kCourseColumn]);
    const RoundTotals totals = SumRound(cells, pars);
    FullRound round{
        .date = ReadDate(cells[kDateColumn]), .row = row, .course = cells[kCourseColumn]};
    ScoringClasses& monthClasses = tally.classesByMonth[round.date / 100];
    for (int hole = 1; hole <= kHoles; ++hole) {
      const int strokes = totals.strokes[hole - 1];
      if (strokes == 0) continue;
      tally.byHole[hole - 1].strokes += strokes;
      ++tally.byHole[hole - 1].holes;
      const int par = pars[hole - 1];
      if (par == 0) continue;
      const int scoringClass = ScoringClass(strokes - par);
      ++tally.classes[scoringClass];
      ++monthClasses[scoringClass];
      if (par <= 5) {
        tally.byPar[par - 3].strokes += strokes;
        ++tally.byPar[par - 3].holes;
      }
      if (const int holePutts = totals.putts[hole - 1]; holePutts >= 0) {
        ++round.greenHoles;
        if (strokes - holePutts <= par - 2) ++round.greensHit;
      }
      if (par == 4 || par == 5) {
        const int drive = ReadDrive(cells[DriveColumn(hole)]);
        const std::string_view club = cells[ClubColumn(hole)];
        if (drive == 0 || club.empty()) continue;
        if (const int code = ClubCodeIndex(club); code >= 0) {
          AddDrive(tally.codeDrives[code], drive);
        } else {
          AddDrive(tally.otherDrives[club], drive);
        }
      }
    }
    if (totals.holesPlayed == 0) continue;
    ++tally.rounds;
    tally.greenHoles += round.greenHoles;
    tally.greensHit += round.greensHit;
    if (totals.holesPlayed < kHoles) continue;
    round.score = *totals.total.strokes;
    round.toPar = totals.toPar.value_or(0);
    round.hasToPar = totals.toPar.has_value();
    round.putts = totals.holesWithPutts == kHoles ? *totals.total.putts : -1;
    tally.fullRounds.push_back(round);
  }
  // A month whose rounds had no hole with a par has nothing to show.
  std::erase_if(tally.classesByMonth, [](const auto& month) {
    const ScoringClasses& classes = month.second;
    return std::all_of(classes.begin(), classes.end(), [](std::int64_t n) { return n == 0; });
  });
  return tally;
}

}  // namespace larkspin
