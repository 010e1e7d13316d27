#include "TrendsSummary.h"

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>

#include "RoundTable.h"
#include "Tenths.h"

namespace larkspin {

namespace {

std::string MeanText(std::int64_t sum, std::int64_t count) {
  return count > 0 ? TenthsText(RoundedTenths(sum, count)) : kNothing;
}

// The lowest score; of equal scores the earliest dated, before any with no readable date, and
// of two on the same day the one lower in the table.
std::string BestRound(const std::vector<FullRound>& fullRounds, const RoundTable& rounds) {
  const auto key = [](const FullRound& round) {
    return std::tuple(round.score, round.date == 0 ? INT_MAX : round.date, -round.row);
  };
  const auto best =
      std::min_element(fullRounds.begin(), fullRounds.end(),
                       [&key](const FullRound& a, const FullRound& b) { return key(a) < key(b); });
  if (best == fullRounds.end()) return kNothing;
  std::string where;
  for (const std::string_view part :
       {rounds.Cell(best->row, kDateColumn), rounds.Cell(best->row, kCourseColumn)}) {
    if (part.empty()) continue;
    if (!where.empty()) where += ", ";
    where += part;
  }
  std::string text = std::to_string(best->score);
  return where.empty() ? text : text + " (" + where + ")";
}

}  // namespace

std::vector<SummaryRow> SummaryRows(const TrendsTally& tally, const RoundTable& rounds) {
  std::int64_t scores = 0;
  std::int64_t toPar = 0;
  std::int64_t toParRounds = 0;
  std::int64_t putts = 0;
  std::int64_t puttRounds = 0;
  for (const FullRound& round : tally.fullRounds) {
    scores += round.score;
    if (round.hasToPar) {
      toPar += round.toPar;
      ++toParRounds;
    }
    if (round.putts >= 0) {
      putts += round.putts;
      ++puttRounds;
    }
  }
  const auto fullRounds = static_cast<std::int64_t>(tally.fullRounds.size());
  std::vector<SummaryRow> rows = {
      {"Rounds", std::to_string(tally.rounds)},
      {"18-hole rounds", std::to_string(fullRounds)},
      {"Scoring average", MeanText(scores, fullRounds)},
      {"Best round", BestRound(tally.fullRounds, rounds)},
      {"Average to par",
       toParRounds > 0 ? SignedTenthsText(RoundedTenths(toPar, toParRounds)) : kNothing},
      {"Putts per round", MeanText(putts, puttRounds)},
      {"Greens in regulation",
       tally.greenHoles > 0 ? PercentText(tally.greensHit, tally.greenHoles) : kNothing},
  };
  std::int64_t holes = 0;
  for (const std::int64_t count : tally.classes)
    holes += count;
  for (std::size_t i = 0; i < tally.classes.size(); ++i) {
    const std::int64_t count = tally.classes[i];
    rows.push_back({kScoringClassNames[i],
                    holes > 0 ? std::to_string(count) + " (" + PercentText(count, holes) + ")"
                              : std::string(kNothing)});
  }
  return rows;
}

}  // namespace larkspin
