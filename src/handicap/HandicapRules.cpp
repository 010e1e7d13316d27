#include "HandicapRules.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "Tenths.h"

namespace larkspin {

namespace {

// floor(numerator / denominator) for denominator > 0.
long long FloorDivide(long long numerator, long long denominator) {
  const long long quotient = numerator / denominator;
  return numerator % denominator < 0 ? quotient - 1 : quotient;
}

constexpr int kStandardSlope = 113;
constexpr int kSoftCapTenths = 30;
constexpr int kHardCapTenths = 50;

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
  return strokes > 0 ? std::min(strokes, par + 2 + *received) : par + *received;
}

int ScoreDifferential(int adjustedGross, int ratingTenths, int slope) {
  return static_cast<int>(
      RoundedTenths(static_cast<long long>(kStandardSlope) * (10LL * adjustedGross - ratingTenths),
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
  return {8, 0};
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
  const std::vector<int> used = UsedDifferentials(recentTenths);
  if (used.empty()) return std::nullopt;
  long long sum = 0;
  for (const int position : used)
    sum += recentTenths[static_cast<std::size_t>(position)];
  const int count =
      static_cast<int>(std::min<std::size_t>(recentTenths.size(), kRecentDifferentials));
  // The mean of tenths, in whole tenths: RoundedTenths works in tenths of its quotient.
  const auto mean =
      static_cast<int>(RoundedTenths(sum, 10LL * static_cast<long long>(used.size())));
  return mean + IndexTableFor(count).adjustmentTenths;
}

int CappedIndex(int indexTenths, int lowIndexTenths) {
  const int excess = indexTenths - lowIndexTenths - kSoftCapTenths;
  if (excess <= 0) return indexTenths;
  const int halved = (excess + 1) / 2;  // halves away from zero
  return lowIndexTenths + std::min(kSoftCapTenths + halved, kHardCapTenths);
}

}  // namespace larkspin
