// The trends worked out on generated lks.dat and courses.dat files, for every course and for the
// course played most, over all rounds: the walk over the chosen rounds, the summary and the
// five charts' series, as the "Trends" window asks for them.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>

#include "CourseTable.h"
#include "RoundTable.h"
#include "Trends.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

std::string MostPlayedCourse(const RoundTable& rounds) {
  std::map<std::string, int, std::less<>> counts;
  for (int row = 0; row < rounds.RowCount(); ++row)
    ++counts[std::string(rounds.Cell(row, kCourseColumn))];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// About what the result holds: its texts, points and bar values.
long long ResultBytes(const Trends& trends) {
  long long bytes = sizeof trends;
  for (const SummaryRow& row : trends.summary)
    bytes += static_cast<long long>(sizeof row + row.figure.capacity() + row.value.capacity());
  for (const Chart& chart : trends.charts) {
    for (const std::string& label : chart.categories)
      bytes += static_cast<long long>(sizeof label + label.capacity());
    for (const ChartLine& line : chart.lines)
      bytes += static_cast<long long>(line.points.capacity() * sizeof(ChartPoint));
    for (const ChartBarSet& bars : chart.bars)
      bytes += static_cast<long long>(bars.values.capacity() * sizeof(bars.values[0]));
  }
  return bytes;
}

void RunTrends(benchmark::State& state, bool mostPlayed) {
  Workbench bench(Rounds(state), true);
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  Scorecard& scorecard = bench.Open();
  const RoundTable& rounds = scorecard.Rounds().Table();
  const CourseTable& courses = scorecard.Courses().Table();
  if (rounds.RowCount() != Rounds(state) || courses.RowCount() == 0) {
    state.SkipWithError("the generated files did not load in full");
    return;
  }
  TrendsChoice choice;
  if (mostPlayed) choice.course = MostPlayedCourse(rounds);
  const QDate today(2024, 6, 1);
  long long beyondResult = 0;
  bool peakKnown = true;
  std::size_t points = 0;
  for (auto _ : state) {
    state.PauseTiming();
    EvictCaches();
    ReleaseFreeMemory();
    const long long before = ResidentBytes();
    peakKnown = ResetPeakResident() && peakKnown;
    state.ResumeTiming();

    const Trends trends = ComputeTrends(rounds, courses, choice, today);

    state.PauseTiming();
    beyondResult = std::max(beyondResult, PeakResidentBytes() - before - ResultBytes(trends));
    points = trends.charts[kScoreByRound].lines[0].points.size();
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
  state.counters["score_points"] = static_cast<double>(points);
  // What the work needs besides the result, at its peak; a copy of the round table would come
  // near 1.
  if (peakKnown) {
    state.counters["peak_beyond_result_per_file_byte"] =
        static_cast<double>(std::max(beyondResult, 0LL)) / static_cast<double>(bench.FileBytes());
  }
}

void TrendsAllCourses(benchmark::State& state) {
  RunTrends(state, false);
}

void TrendsMostPlayedCourse(benchmark::State& state) {
  RunTrends(state, true);
}

}  // namespace

void RegisterTrendsBenchmarks() {
  Register("TrendsAllCourses", TrendsAllCourses, 10);
  Register("TrendsMostPlayedCourse", TrendsMostPlayedCourse, 10);
}

}  // namespace larkspin::bench
