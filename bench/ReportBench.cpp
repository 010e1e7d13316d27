// The two reports on generated lks.dat and courses.dat files, each from the press of its button
// to the page on disk: the walk over the rounds, the statistics, the page and writing
// report.htm through a temporary file.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <algorithm>
#include <map>
#include <string>

#include "ReportWalk.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

// The course with the most rounds, as the user picks it in the course selector.
void PickMostPlayedCourse(Scorecard& scorecard) {
  std::map<std::string, int> rounds;
  for (int row = 0; row < scorecard.Rounds().Table().RowCount(); ++row)
    ++rounds[std::string(scorecard.Rounds().Table().Cell(row, kCourseColumn))];
  std::string course;
  int most = 0;
  for (const auto& [name, count] : rounds) {
    if (count > most) {
      course = name;
      most = count;
    }
  }
  const auto& entries = scorecard.View().course.Entries();
  const auto entry = std::find(entries.begin(), entries.end(), course);
  scorecard.View().course.Pick(static_cast<int>(entry - entries.begin()));
  scorecard.OnSelchangeCourse();
}

// Runs `report` on a window opened on both files with the given period; reports the page's size.
template <typename Report>
void RunReport(benchmark::State& state, Workbench& bench, const char* period, Report report) {
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  Scorecard& scorecard = bench.Open();
  if (scorecard.Rounds().Table().RowCount() != Rounds(state) ||
      scorecard.Courses().Table().RowCount() == 0) {
    state.SkipWithError("the generated files did not load in full");
    return;
  }
  PickMostPlayedCourse(scorecard);
  scorecard.View().period.Type(period);
  long long peakGrowth = 0;
  bool peakKnown = true;
  for (auto _ : state) {
    state.PauseTiming();
    EvictCaches();
    ReleaseFreeMemory();
    const long long before = ResidentBytes();
    peakKnown = ResetPeakResident() && peakKnown;
    state.ResumeTiming();

    report(scorecard);

    state.PauseTiming();
    peakGrowth = std::max(peakGrowth, PeakResidentBytes() - before);
    state.ResumeTiming();
  }
  SetFileCounters(state, bench);
  const auto pageBytes = static_cast<double>(QFileInfo(bench.FolderPath(kReportFileName)).size());
  state.counters["page_bytes"] = pageBytes;
  // About 1 when the page is built in one text and nothing else grows with the table; a copy of
  // the round table would add the file's size again.
  if (peakKnown)
    state.counters["peak_growth_per_page_byte"] = static_cast<double>(peakGrowth) / pageBytes;
  if (bench.Messages() != 0 || bench.Opened() != static_cast<int>(state.iterations())) {
    state.SkipWithError("the report was not written and opened every time");
  }
}

// "Course Report" on the course played most, over every round of it.
void CourseReport(benchmark::State& state) {
  Workbench bench(Rounds(state), true);
  RunReport(state, bench, "Eternity", [](Scorecard& scorecard) { scorecard.OnCourseReport(); });
}

// "Overall Report" over every round.
void OverallReport(benchmark::State& state) {
  Workbench bench(Rounds(state), true);
  RunReport(state, bench, "Eternity", [](Scorecard& scorecard) { scorecard.OnOverallReport(); });
}

// "Overall Report" over the last year, asking the computer's clock for every round.
void OverallReportYear(benchmark::State& state) {
  Workbench bench(Rounds(state), true, Workbench::Clock::kSystem);
  RunReport(state, bench, "Year", [](Scorecard& scorecard) { scorecard.OnOverallReport(); });
}

}  // namespace

void RegisterReportBenchmarks() {
  Register("CourseReport", CourseReport, 5);
  Register("OverallReport", OverallReport, 5);
  Register("OverallReportYear", OverallReportYear, 5);
}

}  // namespace larkspin::bench
