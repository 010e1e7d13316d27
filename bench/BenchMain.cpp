// larkspin_bench: the round list's heavy commands, the reports, undo, the trends and CSV export and import on
// generated files of 1,000, 10,000 and 100,000 rounds. bench/README.md says what each case times.
#include <benchmark/benchmark.h>

#include "Workbench.h"

int main(int argc, char** argv) {
  larkspin::bench::RegisterRoundBenchmarks();
  larkspin::bench::RegisterReportBenchmarks();
  larkspin::bench::RegisterUndoBenchmarks();
  larkspin::bench::RegisterTrendsBenchmarks();
  larkspin::bench::RegisterExchangeBenchmarks();
  larkspin::bench::RegisterHandicapBenchmarks();
  larkspin::bench::RegisterJournalBenchmarks();
  larkspin::bench::RegisterTotalsBenchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
