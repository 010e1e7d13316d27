#include "HandicapRules.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace larkspin {

namespace {

// floor(numerator / denominator) for denominator > 0.
long long FloorDivide(long long numerator, long long denominator) {
  const long long quotient = numerator / denominator;
  return numerator % denominator < 0 ? quotient - 1 : quotient;
}

// numerator / denominator in whole tenths, a half up, for denominator > 0.
long long TenthsHalfUp(long long numerator, long long denominator) {
  return FloorDivide(20 * numerator + denominator, 2 * denominator);
}

constexpr int kStandardSlope = 113;
constexpr int kSoftCapTenths = 30;
constexpr int kHardCapTenths = 50;
// Net double bogey stops at par + 5: the strokes received beyond 3 raise it no further.
constexpr int kMostStrokesOverNetPar = 3;
// The most differentials an Index is made of: 8 of 20.
constexpr int kMostUsed = 8;

}  // namespace

int CourseHandicap(int indexTenths, int slope, int ratingTenths, int parTotal) {
  // (I × S / 113 + R − P) in tenths over 10: (I × S + 113 × (R − 10 P)) / 1130.
  const long long numerator =
      static_cast<long long>(indexTenths) * slope +
      static_cast<long long>(kStandardSlope) * (ratingTenths - 10 * parTotal);
  const long long denominator = 10LL * kStandardSlope;
  // Halves up: floor(x + 1/2).
  return static_cast<int>(FloorDivide(2 * numerator + denominator, 2 * denominator));
}

int StrokesReceived(int courseHandicap, int strokeIndex) {
  if (courseHandicap >= 0) {
    return courseHandicap / 18 + (strokeIndex <= courseHandicap % 18 ? 1 : 0);
  }
  const int plus = -courseHandicap;
  return -(plus / 18) - (strokeIndex > 18 - plus % 18 ? 1 : 0);
}

int AdjustedHoleScore(int strokes, int par, std::optional<int> received) {
  if (!received) return strokes > 0 ? std::min(strokes, par + 5) : par;
  return strokes > 0 ? std::min(strokes, par + 2 + std::min(*received, kMostStrokesOverNetPar))
                     : par + *received;
}

int ScoreDifferential(int adjustedGross, int ratingTenths, int slope) {
  return static_cast<int>(
      TenthsHalfUp(static_cast<long long>(kStandardSlope) * (10LL * adjustedGross - ratingTenths),
                   10LL * slope));
}

int ExceptionalScoreReduction(int indexTenths, int differentialTenths) {
  const int below = indexTenths - differentialTenths;
  if (below >= 100) return 20;
  if (below >= 70) return 10;
  return 0;
}

IndexTableRow IndexTableFor(int count) {
  if (count < kFewestDifferentials) return {0, 0};
  if (count == 3) return {1, -20};
  if (count == 4) return {1, -10};
  if (count == 5) return {1, 0};
  if (count == 6) return {2, -10};
  if (count <= 8) return {2, 0};
  if (count <= 11) return {3, 0};
  if (count <= 14) return {4, 0};
  if (count <= 16) return {5, 0};
  if (count <= 18) return {6, 0};
  if (count == 19) return {7, 0};
  return {kMostUsed, 0};
}

std::vector<int> UsedDifferentials(std::span<const int> recentTenths) {
  const int count =
      static_cast<int>(std::min<std::size_t>(recentTenths.size(), kRecentDifferentials));
  const std::span<const int> recent = recentTenths.last(static_cast<std::size_t>(count));
  const int lowest = IndexTableFor(count).lowest;
  std::array<int, kRecentDifferentials> order{};
  std::iota(order.begin(), order.begin() + count, 0);
  // Lowest first; of equal ones the more recent.
  std::partial_sort(
      order.begin(), order.begin() + lowest, order.begin() + count,
      [&](int a, int b) { return recent[a] != recent[b] ? recent[a] < recent[b] : a > b; });
  std::vector<int> used(order.begin(), order.begin() + lowest);
  const int skipped = static_cast<int>(recentTenths.size()) - count;
  for (int& position : used)
    position += skipped;
  std::sort(used.begin(), used.end());
  return used;
}

std::optional<int> IndexFromDifferentials(std::span<const int> recentTenths) {
  const std::size_t count = std::min<std::size_t>(recentTenths.size(), kRecentDifferentials);
  const IndexTableRow row = IndexTableFor(static_cast<int>(count));
  if (row.lowest == 0) return std::nullopt;
  // Called for every counted round, so without allocating: the lowest so far, ascending, each
  // new one put in its place. Which of equal ones is kept does not change the sum.
  std::array<int, kMostUsed> lowest{};
  int kept = 0;
  for (const int differential : recentTenths.last(count)) {
    if (kept == row.lowest && differential >= lowest[kept - 1]) continue;
    int at = kept < row.lowest ? kept++ : kept - 1;
    for (; at > 0 && lowest[at - 1] > differential; --at)
      lowest[at] = lowest[at - 1];
    lowest[at] = differential;
  }
  const long long sum = std::accumulate(lowest.begin(), lowest.begin() + kept, 0LL);
  // The mean of tenths, in whole tenths: TenthsHalfUp works in tenths of its quotient.
  return static_cast<int>(TenthsHalfUp(sum, 10LL * kept)) + row.adjustmentTenths;
}

CappedIndex CapIndex(int indexTenths, int lowIndexTenths) {
  const int excess = indexTenths - lowIndexTenths - kSoftCapTenths;
  if (excess <= 0) return {indexTenths, IndexCap::kNone};
  const int soft = kSoftCapTenths + (excess + 1) / 2;  // a half up
  if (soft > kHardCapTenths) return {lowIndexTenths + kHardCapTenths, IndexCap::kHard};
  const int capped = lowIndexTenths + soft;
  return {capped, capped < indexTenths ? IndexCap::kSoft : IndexCap::kNone};
}

}  // namespace larkspin
