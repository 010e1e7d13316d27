#include "ReportStatistics.h"

#include <cstdint>

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

// The club codes' indexes by their bytes: the first byte's row in kClubRows by the second byte
// ('I', 'W', or nothing for "D"), and the index by the first byte in that row. Looked up rather
// than compared, as the clubs of a round follow no pattern a branch could learn.
struct ClubTable {
  std::array<std::uint8_t, 256> rowOfSecond{};  // 0: no club code ends so
  std::array<std::array<std::int8_t, 256>, 4> index{};
};

constexpr ClubTable MakeClubTable() {
  ClubTable table;
  for (auto& row : table.index) {
    for (auto& index : row)
      index = -1;
  }
  table.rowOfSecond['I'] = 1;
  table.rowOfSecond['W'] = 2;
  for (std::size_t i = 0; i < kClubCodes.size(); ++i) {
    const std::string_view code = kClubCodes[i];
    const int row = code.size() == 1 ? 3 : table.rowOfSecond[static_cast<unsigned char>(code[1])];
    table.index[row][static_cast<unsigned char>(code[0])] = static_cast<std::int8_t>(i);
  }
  return table;
}

constexpr ClubTable kClubTable = MakeClubTable();

constexpr int ClubCodeIndex(std::string_view club) {
  if (club.size() == 1) return kClubTable.index[3][static_cast<unsigned char>(club[0])];
  if (club.size() != 2) return -1;
  const int row = kClubTable.rowOfSecond[static_cast<unsigned char>(club[1])];
  return kClubTable.index[row][static_cast<unsigned char>(club[0])];
}

constexpr bool ListsEveryClubCode() {
  for (std::size_t i = 0; i < kClubCodes.size(); ++i) {
    if (ClubCodeIndex(kClubCodes[i]) != static_cast<int>(i)) return false;
  }
  return true;
}
static_assert(ListsEveryClubCode(), "every club code must find its own index");

using Count = ReportStatistics::Count;

// The steps below take each cell's number once worked out, as a round asks for most of them twice.

void CountDrive(ReportStatistics& statistics, int club, Count length) {
  ++statistics.drives[club];
  statistics.driveDistance[club] += length;
  if (length > statistics.longestDrive[club]) statistics.longestDrive[club] = length;
}

void CountShots(ReportStatistics& statistics, int par, std::string_view score, int strokes) {
  ++statistics.holesPlayed[par];
  if (const int n = SmallNumberText(score); n >= 1) {
    statistics.strokesByScore[par][n - 1] += strokes;
  } else {
    statistics.otherStrokes[par] += strokes;
  }
}

void CountGreen(ReportStatistics& statistics, int par, int strokes, int putts) {
  const int parStrokes = par + 3;
  // Strokes before the first putt; 64-bit, as both numbers may lie at the ends of their range.
  const std::int64_t d = std::int64_t{strokes} - putts;
  if (d >= 1 && d <= parStrokes - 3) {
    ++statistics.underRegulation[par];
  } else if (d == parStrokes - 2) {
    ++statistics.inRegulation[par];
  } else {
    ++statistics.overRegulation[par];
  }
}

void CountPutts(ReportStatistics& statistics, std::string_view putts, int number) {
  statistics.totalPutts += number;
  if (const int n = SmallNumberText(putts); n >= 0) {
    ++statistics.puttCount[n];
  } else {
    ++statistics.otherPuttCount;
  }
}

}  // namespace

int ClubIndex(std::string_view club) {
  return ClubCodeIndex(club);
}

void AddDrive(ReportStatistics& statistics, std::string_view club, std::string_view drive) {
  if (const int c = ClubIndex(club); c >= 0) CountDrive(statistics, c, CellNumber(drive));
}

void AddHoleShots(ReportStatistics& statistics, std::string_view par, std::string_view score) {
  if (const int p = ParIndex(par); p >= 0) CountShots(statistics, p, score, CellNumber(score));
}

void AddGreenInRegulation(ReportStatistics& statistics, std::string_view par,
                          std::string_view score, std::string_view putts) {
  if (const int p = ParIndex(par); p >= 0)
    CountGreen(statistics, p, CellNumber(score), CellNumber(putts));
}

void AddPutts(ReportStatistics& statistics, std::string_view putts) {
  CountPutts(statistics, putts, CellNumber(putts));
}

void AddRoundToStatistics(ReportStatistics& statistics, const RoundCells& round,
                          const ParTexts& pars) {
  ++statistics.roundsPlayed;
  for (int hole = 1; hole <= kHoles; ++hole) {
    const std::string_view score = round[ScoreColumn(hole)];
    const std::string_view putts = round[PuttsColumn(hole)];
    const int strokes = CellNumber(score);
    const int puttNumber = CellNumber(putts);
    statistics.holeScoreSum[hole - 1] += strokes;
    if (const int club = ClubIndex(round[ClubColumn(hole)]); club >= 0)
      CountDrive(statistics, club, CellNumber(round[DriveColumn(hole)]));
    if (const int par = ParIndex(pars[hole - 1]); par >= 0) {
      CountShots(statistics, par, score, strokes);
      CountGreen(statistics, par, strokes, puttNumber);
    }
    CountPutts(statistics, putts, puttNumber);
  }
}

}  // namespace larkspin
