#include "TrendsTally.h"

#include <algorithm>
#include <unordered_map>

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

HolePars CoursePars(const CourseTable& courses, std::string_view name) {
  HolePars pars{};
  if (const int row = courses.FindFirst(name); row >= 0) {
    for (int hole = 1; hole <= kHoles; ++hole)
      pars[hole - 1] = ReadPar(courses.Row(row)[ParCell(hole)]);
  }
  return pars;
}

TrendsTally TallyRounds(const RoundTable& rounds, const CourseTable& courses,
                        const std::vector<int>& rows) {
  TrendsTally tally;
  std::unordered_map<std::string_view, HolePars> parsByCourse;
  for (const int row : rows) {
    const RoundCells cells = rounds.Cells(row);
    auto found = parsByCourse.find(cells[kCourseColumn]);
    if (found == parsByCourse.end()) {
      found = parsByCourse.emplace(cells[kCourseColumn], CoursePars(courses, cells[kCourseColumn]))
                  .first;
    }
    const HolePars& pars = found->second;
    FullRound round{
        .date = ReadDate(cells[kDateColumn]), .row = row, .course = cells[kCourseColumn]};
    ScoringClasses& monthClasses = tally.classesByMonth[round.date / 100];
    int played = 0;
    int parSum = 0;
    bool allPars = true;
    int putts = 0;
    for (int hole = 1; hole <= kHoles; ++hole) {
      const int holePutts = ReadPutts(cells[PuttsColumn(hole)]);
      putts = holePutts < 0 || putts < 0 ? -1 : putts + holePutts;
      const int strokes = ReadStrokes(cells[ScoreColumn(hole)]);
      if (strokes == 0) continue;
      ++played;
      round.score += strokes;
      tally.byHole[hole - 1].strokes += strokes;
      ++tally.byHole[hole - 1].holes;
      const int par = pars[hole - 1];
      if (par == 0) {
        allPars = false;
        continue;
      }
      parSum += par;
      const int scoringClass = ScoringClass(strokes - par);
      ++tally.classes[scoringClass];
      ++monthClasses[scoringClass];
      if (par <= 5) {
        tally.byPar[par - 3].strokes += strokes;
        ++tally.byPar[par - 3].holes;
      }
      if (holePutts >= 0) {
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
    if (played == 0) continue;
    ++tally.rounds;
    tally.greenHoles += round.greenHoles;
    tally.greensHit += round.greensHit;
    if (played < kHoles) continue;
    round.toPar = round.score - parSum;
    round.hasToPar = allPars;
    round.putts = putts;
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
