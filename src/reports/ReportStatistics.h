#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ClubCode.h"
#include "RoundRecord.h"

namespace larkspin {

// The counters of one report run, all zero when it starts. They are 64-bit so that no sum wraps
// round, however many rounds and however large the numbers typed into them.
struct ReportStatistics {
  using Count = std::int64_t;
  static constexpr int kClubs = static_cast<int>(kClubCodes.size());
  static constexpr int kPars = 3;        // par 3, 4 and 5, at index par - 3
  static constexpr int kScores = 10;     // scores "1" to "10", at index score - 1
  static constexpr int kPuttTexts = 11;  // putts "0" to "10"

  Count roundsPlayed = 0;
  std::array<Count, kHoles> holeScoreSum{};

  std::array<Count, kClubs> drives{};
  std::array<Count, kClubs> driveDistance{};
  std::array<Count, kClubs> longestDrive{};

  std::array<Count, kPars> holesPlayed{};
  std::array<std::array<Count, kScores>, kPars> strokesByScore{};
  std::array<Count, kPars> otherStrokes{};

  std::array<Count, kPars> underRegulation{};
  std::array<Count, kPars> inRegulation{};
  std::array<Count, kPars> overRegulation{};

  std::array<Count, kPuttTexts> puttCount{};
  Count otherPuttCount = 0;
  Count totalPutts = 0;
};

// The par of each hole, hole 1 first.
using ParTexts = std::array<std::string_view, kHoles>;

// One included round: every hole's drive, shots, green and putts against the given pars.
void AddRoundToStatistics(ReportStatistics& statistics, const RoundCells& round,
                          const ParTexts& pars);

// The steps for one hole. Club, par, score and putts texts count only when they are exactly one
// of the texts a count is kept for: "03" is not "3", nor is "3 ".
void AddDrive(ReportStatistics& statistics, std::string_view club, std::string_view drive);
void AddHoleShots(ReportStatistics& statistics, std::string_view par, std::string_view score);
void AddGreenInRegulation(ReportStatistics& statistics, std::string_view par,
                          std::string_view score, std::string_view putts);
void AddPutts(ReportStatistics& statistics, std::string_view putts);

// The club code's index in the club boxes' order, -1 for any other text.
int ClubIndex(std::string_view club);

}  // namespace larkspin
