#include "ReportStatistics.h"

#include "CellNumber.h"

namespace larkspin {

namespace {

// The index of a par of exactly "3", "4" or "5", else -1.
int ParIndex(std::string_view par) {
  if (par.size() != 1 || par[0] < '3' || par[0] > '5') return -1;
  return par[0] - '3';
}

// 0 for exactly "0", ..., 10 for exactly "10"; -1 for any other text.
int SmallNumberText(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') return text[0] - '0';
  if (text == "10") return 10;
  return -1;
}

}  // namespace

int ClubIndex(std::string_view club) {
  for (std::size_t i = 0; i < kClubCodes.size(); ++i) {
    if (kClubCodes[i] == club) return static_cast<int>(i);
  }
  return -1;
}

void AddDrive(ReportStatistics& statistics, std::string_view club, std::string_view drive) {
  const int c = ClubIndex(club);
  if (c < 0) return;
  const ReportStatistics::Count length = CellNumber(drive);
  ++statistics.drives[c];
  statistics.driveDistance[c] += length;
  if (length > statistics.longestDrive[c]) statistics.longestDrive[c] = length;
}

void AddHoleShots(ReportStatistics& statistics, std::string_view par, std::string_view score) {
  const int p = ParIndex(par);
  if (p < 0) return;
  ++statistics.holesPlayed[p];
  const int strokes = CellNumber(score);
  if (const int n = SmallNumberText(score); n >= 1) {
    statistics.strokesByScore[p][n - 1] += strokes;
  } else {
    statistics.otherStrokes[p] += strokes;
  }
}

void AddGreenInRegulation(ReportStatistics& statistics, std::string_view par,
                          std::string_view score, std::string_view putts) {
  const int p = ParIndex(par);
  if (p < 0) return;
  const int parStrokes = p + 3;
  // Strokes before the first putt; 64-bit, as both numbers may lie at the ends of their range.
  const std::int64_t d = std::int64_t{CellNumber(score)} - CellNumber(putts);
  if (d >= 1 && d <= parStrokes - 3) {
    ++statistics.underRegulation[p];
  } else if (d == parStrokes - 2) {
    ++statistics.inRegulation[p];
  } else {
    ++statistics.overRegulation[p];
  }
}

void AddPutts(ReportStatistics& statistics, std::string_view putts) {
  statistics.totalPutts += CellNumber(putts);
  if (const int n = SmallNumberText(putts); n >= 0) {
    ++statistics.puttCount[n];
  } else {
    ++statistics.otherPuttCount;
  }
}

void AddRoundToStatistics(ReportStatistics& statistics, const RoundCells& round,
                          const ParTexts& pars) {
  ++statistics.roundsPlayed;
  for (int hole = 1; hole <= kHoles; ++hole) {
    const std::string_view par = pars[hole - 1];
    const std::string_view score = round[ScoreColumn(hole)];
    const std::string_view putts = round[PuttsColumn(hole)];
    statistics.holeScoreSum[hole - 1] += CellNumber(score);
    AddDrive(statistics, round[ClubColumn(hole)], round[DriveColumn(hole)]);
    AddHoleShots(statistics, par, score);
    AddGreenInRegulation(statistics, par, score, putts);
    AddPutts(statistics, putts);
  }
}

}  // namespace larkspin
