// File > Export Rounds and Import Rounds on generated tables of 1,000, 10,000 and 100,000 rounds
// (about 0.3, 3 and 30 MB of CSV), each on a Scorecard as the window makes one, the file dialog
// choosing a file in the workbench's folder and the question answered "Import All".

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

#include "DiskFile.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

void SetCsvCounters(benchmark::State& state, long long csvBytes) {
  state.counters["csv_bytes"] = static_cast<double>(csvBytes);
  state.counters["rows"] = Rounds(state);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * csvBytes);
}

// "Export Rounds…": the whole table written to the CSV file through a temporary file that
// replaces it.
void ExportRounds(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  Scorecard& scorecard = bench.Open();
  const QString csv = bench.FolderPath("rounds.csv");
  bench.ChooseFile(csv);
  for (auto _ : state)
    scorecard.ExportRounds();
  if (bench.Messages() != 0) {
    state.SkipWithError("the export failed");
    return;
  }
  SetCsvCounters(state, QFileInfo(csv).size());
}

// "Import Rounds…" into the window opened on an empty folder: reading the CSV, planning, the
// rounds going into the table as one step of the history, the column widths. Memory, per byte of
// the CSV, beyond what the imported table holds: the most resident memory while importing over
// what stays resident once the import is done and the allocator has handed back what it freed
// (`peak_mem_beyond_table_per_csv_byte`).
void ImportRounds(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  QTemporaryDir elsewhere;
  const QString csv = elsewhere.filePath(QStringLiteral("rounds.csv"));
  bench.ChooseFile(csv);
  bench.Open().ExportRounds();
  bench.Close();
  const long long csvBytes = QFileInfo(csv).size();
  if (!QFile::remove(bench.FilePath())) {
    state.SkipWithError("could not empty the folder");
    return;
  }
  double beyondPerByte = 0;
  bool peakKnown = true;
  Scorecard* last = nullptr;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Close();
    QFile::remove(bench.FilePath());
    Scorecard& scorecard = bench.Open();
    last = &scorecard;
    ReleaseFreeMemory();
    peakKnown = ResetPeakResident() && peakKnown;
    state.ResumeTiming();

    scorecard.ImportRounds();

    state.PauseTiming();
    const long long peak = PeakResidentBytes();
    ReleaseFreeMemory();
    const long long held = ResidentBytes();
    beyondPerByte =
        std::max(beyondPerByte, static_cast<double>(peak - held) / static_cast<double>(csvBytes));
    if (scorecard.Rounds().Table().RowCount() != Rounds(state)) {
      state.SkipWithError("the import did not bring every round");
      return;
    }
    state.ResumeTiming();
  }
  SetCsvCounters(state, csvBytes);
  // Imported into an empty folder, the rounds are saved byte for byte as generated.
  if (!last || !last->SaveRounds() ||
      ReadWholeFile(bench.FilePath()) != ReadWholeFile(bench.GeneratedPath())) {
    state.SkipWithError("the imported rounds were not saved as generated");
    return;
  }
  if (peakKnown) state.counters["peak_mem_beyond_table_per_csv_byte"] = beyondPerByte;
}

// "Import Rounds…" of a hostile CSV of 30 MB whose first row is all there is to it: 30 million
// empty columns (shape 0), or one column name of 30 MB (shape 1), into the window opened on 1,000
// rounds, until the box that refuses it. `box_bytes`: the length of its text;
// `peak_mem_per_csv_byte`: the most resident memory while importing beyond what was resident
// before, per byte of the file.
void ImportWideHeader(benchmark::State& state) {
  Workbench bench(1'000);
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  QTemporaryDir elsewhere;
  const QString csv = elsewhere.filePath(QStringLiteral("wide.csv"));
  constexpr long long kBytes = 30'000'000;
  const QByteArray row = state.range(0) == 0 ? "COURSE" + QByteArray(kBytes, ',')
                                             : "COURSE," + QByteArray(kBytes, 'x');
  if (!WriteFileAtomically(csv, std::string_view(row.constData(), row.size()))) {
    state.SkipWithError("could not write the CSV file");
    return;
  }
  bench.ChooseFile(csv);
  double perByte = 0;
  bool peakKnown = true;
  std::size_t boxBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Scorecard& scorecard = bench.Open();
    ReleaseFreeMemory();
    const long long before = ResidentBytes();
    const int messages = bench.Messages();
    peakKnown = ResetPeakResident() && peakKnown;
    state.ResumeTiming();

    scorecard.ImportRounds();

    state.PauseTiming();
    perByte = std::max(perByte, static_cast<double>(PeakResidentBytes() - before) /
                                    static_cast<double>(row.size()));
    if (bench.Messages() != messages + 1 ||
        bench.LastMessage().find("line 1, column") == std::string::npos ||
        scorecard.Rounds().Table().RowCount() != 1'000) {
      state.SkipWithError("the file was not refused");
      return;
    }
    boxBytes = bench.LastMessage().size();
    state.ResumeTiming();
  }
  state.counters["csv_bytes"] = static_cast<double>(row.size());
  state.counters["box_bytes"] = static_cast<double>(boxBytes);
  if (peakKnown) state.counters["peak_mem_per_csv_byte"] = perByte;
}

}  // namespace

void RegisterExchangeBenchmarks() {
  Register("ExportRounds", ExportRounds, 5);
  Register("ImportRounds", ImportRounds, 5);
  benchmark::RegisterBenchmark("ImportWideHeader", ImportWideHeader)
      ->Arg(0)
      ->Arg(1)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

}  // namespace larkspin::bench
