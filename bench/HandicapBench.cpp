// The Handicap Index worked out on generated lks.dat and courses.dat files with every course
// rated: which rounds count, and for each counted round in date order its adjusted gross score,
// differential, exceptional score reductions and the Index after it with the caps, as the
// "Handicap" window and `larkspin --handicap` ask for it.

#include <benchmark/benchmark.h>

#include "CourseTable.h"
#include "HandicapRecord.h"
#include "RatingsTable.h"
#include "RoundTable.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

void HandicapRecordAllRounds(benchmark::State& state) {
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
  const RatingsTable ratings = RateEveryCourse(courses);
  const QDate today(2024, 6, 1);
  std::size_t counted = 0;
  std::size_t rated = 0;
  for (auto _ : state) {
    state.PauseTiming();
    EvictCaches();
    state.ResumeTiming();

    const HandicapRecord record = ComputeHandicapRecord(rounds, courses, ratings, today);

    state.PauseTiming();
    counted = record.counted.size();
    rated = static_cast<std::size_t>(ratings.RowCount());
    benchmark::DoNotOptimize(record.indexTenths);
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
  state.counters["counted"] = static_cast<double>(counted);
  state.counters["rated_courses"] = static_cast<double>(rated);
}

}  // namespace

void RegisterHandicapBenchmarks() {
  Register("HandicapRecord", HandicapRecordAllRounds, 10);
}

}  // namespace larkspin::bench
