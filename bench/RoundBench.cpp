#include <benchmark/benchmark.h>

#include "data/RoundTable.h"

static void BM_Placeholder(benchmark::State& state) {
  for (auto _ : state) {
    larkspin::RoundTable table;
    benchmark::DoNotOptimize(table.RowCount());
  }
}
BENCHMARK(BM_Placeholder);
BENCHMARK_MAIN();
