// The journal: what a change pays for its record beside the change itself (a round, or a whole
// import), what starting a journal costs, what a start pays for reading back the changes of a
// session that ended without saving, and what naming the files it read costs a start. The
// records are rounds of the generated lks.dat. Then the same through the session's journal, as
// the window keeps it: changes of the round book journaled as they are made, their replay at the
// next start, and an import journaled.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ColumnWidths.h"
#include "CourseBook.h"
#include "CourseFile.h"
#include "DataFileKeeper.h"
#include "DiskFile.h"
#include "JournalAtStart.h"
#include "JournalWriter.h"
#include "RoundBook.h"
#include "RoundFile.h"
#include "SessionJournal.h"
#include "SystemCalls.h"
#include "Workbench.h"

namespace larkspin::bench {

namespace {

constexpr std::uint32_t kUpdateKind = 2;
constexpr std::uint32_t kImportKind = 5;

// Spreads the rows over the whole table, the same ones every run.
int RowFor(int step, int rows) {
  return static_cast<int>((static_cast<std::uint64_t>(step) * 2'654'435'761u) %
                          static_cast<std::uint64_t>(rows));
}

JournalEntry RoundEntry(const RoundTable& table, int row) {
  JournalEntry entry(kUpdateKind);
  entry.AddAll(table.Cells(row));
  return entry;
}

std::vector<FileFingerprint> Files(const Workbench& bench) {
  return {FingerprintOf(kRoundFileName, ReadWholeFile(bench.FilePath()).value_or(std::string())),
          NothingRead(kCourseFileName)};
}

// One record of a 74-cell round, made and appended: with `synced`, on the disk as a change waits
// for it; without, as far as the system's cache, which is what the journal costs on a disk that
// syncs at no cost.
void Append(benchmark::State& state, bool synced) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  RoundBook& book = bench.MakeRoundBook();
  book.Load();
  const RoundTable& table = book.Table();
  JournalWriter journal(QFileInfo(bench.FilePath()).absolutePath());
  if (!journal.Start(Files(bench))) {
    state.SkipWithError("the journal could not be written");
    return;
  }
  const SystemCalls calls = System();
  if (!synced) System().fdatasync = [](int) { return 0; };
  std::int64_t bytes = 0;
  int step = 0;
  for (auto _ : state) {
    const JournalEntry entry = RoundEntry(table, RowFor(step++, table.RowCount()));
    bytes += static_cast<std::int64_t>(entry.Bytes().size());
    if (!journal.Append(entry)) {
      state.SkipWithError("the journal could not be written");
      break;
    }
  }
  System() = calls;
  state.counters["record_bytes"] = static_cast<double>(bytes) / std::max<double>(step, 1);
  state.counters["rows"] = table.RowCount();
}

void JournalAppend(benchmark::State& state) {
  Append(state, true);
}
void JournalAppendUnsynced(benchmark::State& state) {
  Append(state, false);
}

// One record holding every round of the table, as an import of them all writes: made and
// appended, synced. Each run starts a journal of its own, untimed.
void JournalAppendImport(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  RoundBook& book = bench.MakeRoundBook();
  book.Load();
  const RoundTable& table = book.Table();
  const std::vector<FileFingerprint> files = Files(bench);
  JournalWriter journal(QFileInfo(bench.FilePath()).absolutePath());
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const bool started = journal.Start(files);
    state.ResumeTiming();
    JournalEntry entry(kImportKind);
    for (int row = 0; row < table.RowCount(); ++row)
      entry.AddAll(table.Cells(row));
    bytes = entry.Bytes().size();
    if (!started || !journal.Append(entry)) {
      state.SkipWithError("the journal could not be written");
      break;
    }
  }
  state.counters["record_bytes"] = static_cast<double>(bytes);
  SetFileCounters(state, bench);
}

// A new journal: its header, naming lks.dat and courses.dat, written through a temporary file
// that is synced, renamed into place and its folder synced. The fingerprints are worked out
// before, as the window has them worked out soon after it opens.
void JournalStart(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  const std::vector<FileFingerprint> files = Files(bench);
  JournalWriter journal(QFileInfo(bench.FilePath()).absolutePath());
  for (auto _ : state) {
    if (!journal.Start(files)) {
      state.SkipWithError("the journal could not be written");
      break;
    }
  }
}

// A journal of 1,000 changes, each a round, read back at start: read, checked against the files,
// and every cell of every record walked, as replaying them does.
void JournalRead1000(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  RoundBook& book = bench.MakeRoundBook();
  book.Load();
  const QString folder = QFileInfo(bench.FilePath()).absolutePath();
  const std::vector<FileFingerprint> files = Files(bench);
  {
    JournalWriter journal(folder);
    bool written = journal.Start(files);
    for (int step = 0; step < 1'000 && written; ++step)
      written = journal.Append(RoundEntry(book.Table(), RowFor(step, book.Table().RowCount())));
    if (!written) {
      state.SkipWithError("the journal could not be written");
      return;
    }
  }
  std::size_t records = 0;
  for (auto _ : state) {
    const JournalAtStart found = ReadJournal(folder, files);
    records = found.contents.Records().size();
    std::size_t cells = 0;
    for (const JournalRecord& record : found.contents.Records()) {
      JournalCells walk(record);
      for (std::string_view cell; walk.Next(cell);)
        cells += cell.size();
    }
    benchmark::DoNotOptimize(cells);
    if (found.outcome != JournalAtStart::Outcome::kContinues) {
      state.SkipWithError("the journal did not continue the files");
      break;
    }
  }
  state.counters["records"] = static_cast<double>(records);
  state.counters["journal_bytes"] =
      static_cast<double>(QFileInfo(QDir(folder).filePath(kJournalFileName)).size());
}

// lks.dat read and parsed, and then its fingerprint worked out from the file read again, as the
// journal's first change needs it, or without one: the difference is what naming the file costs.
void ReadRoundFile(benchmark::State& state, bool fingerprinted) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  for (auto _ : state) {
    DataFileKeeper file(bench.FilePath(), "round");
    file.SetFingerprinted(fingerprinted);
    const std::size_t rounds = ParseRoundFile(file.Read()).size();
    file.Loaded(rounds, 0);
    benchmark::DoNotOptimize(file.Fingerprint());
  }
  SetFileCounters(state, bench);
}

void ReadRoundsFingerprinted(benchmark::State& state) {
  ReadRoundFile(state, true);
}
void ReadRoundsUnfingerprinted(benchmark::State& state) {
  ReadRoundFile(state, false);
}

// The SHA-256 of lks.dat alone, on this thread.
void FingerprintRounds(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  const std::string bytes = ReadWholeFile(bench.FilePath()).value_or(std::string());
  for (auto _ : state)
    benchmark::DoNotOptimize(FingerprintOf(kRoundFileName, bytes));
  SetFileCounters(state, bench);
}

// The round book and the course book of a window's session on the workbench's folder, watched by
// the session's journal, both files loaded.
class JournaledBooks {
 public:
  explicit JournaledBooks(Workbench& bench)
      : rounds_(bench.MakeRoundBook()),
        courses_(bench.FolderPath(kCourseFileName), bench.History()),
        journal_(QFileInfo(bench.FilePath()).absolutePath(), {.rounds = rounds_,
                                                              .courses = courses_,
                                                              .ratings = nullptr,
                                                              .history = bench.History()}) {
    rounds_.Load();
    courses_.Load();
    // The window has the fingerprint worked out soon after it opens: see ReadRoundsFingerprinted.
    benchmark::DoNotOptimize(rounds_.File().Fingerprint());
  }
  RoundBook& Rounds() { return rounds_; }
  SessionJournal& Journal() { return journal_; }

 private:
  RoundBook& rounds_;
  CourseBook courses_;
  SessionJournal journal_;
};

RoundRecord EditedRound(const RoundTable& table, int row, int step) {
  RoundRecord round = table.Row(row);
  round[ScoreColumn(1 + step % kHoles)] = std::to_string(3 + step % 5);
  return round;
}

// Add, Update and Remove Score in turn, each on a row of its own, as ChangeSteps makes them.
void ChangeOf(RoundBook& book, int step) {
  const int row = RowFor(step, book.Table().RowCount());
  switch (step % 3) {
    case 0:
      book.Add(EditedRound(book.Table(), row, step));
      break;
    case 1:
      book.Update(row, EditedRound(book.Table(), row, step));
      break;
    default:
      book.Remove(row);
      break;
  }
}

// ChangeSteps with the session's journal watching: each change's record made from the table and
// appended, synced to the disk or not, before the change returns; then the columns refitted, as
// the window does. The first change, which begins the journal, is not timed.
void JournaledChanges(benchmark::State& state, bool synced) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  JournaledBooks books(bench);
  RoundBook& book = books.Rounds();
  ColumnWidthTracker widths(book.Table(), bench.Measure());
  ChangeOf(book, 1);
  const SystemCalls calls = System();
  if (!synced) System().fdatasync = [](int) { return 0; };
  int step = 0;
  for (auto _ : state) {
    ChangeOf(book, step++);
    for (int column = 0; column < kRoundColumns; ++column)
      benchmark::DoNotOptimize(widths.FittedWidth(column));
  }
  System() = calls;
  if (books.Journal().TakeFailure()) state.SkipWithError("the journal could not be written");
  state.counters["rows"] = book.Table().RowCount();
}

void JournaledChangeSteps(benchmark::State& state) {
  JournaledChanges(state, true);
}
void JournaledChangeStepsUnsynced(benchmark::State& state) {
  JournaledChanges(state, false);
}

// A start after a session of 1,000 changes (Add, Update and Remove Score in turn) on the
// 100,000-round table ended without saving: the journal read and checked against the files, each
// change made again through the round book, and the journal written anew (synced) to go on from
// them. Loading lks.dat before it is not timed.
void JournalReplay1000(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  const QString journalPath =
      QDir(QFileInfo(bench.FilePath()).absolutePath()).filePath(kJournalFileName);
  std::string journal;
  {
    JournaledBooks books(bench);
    const SystemCalls calls = System();
    System().fdatasync = [](int) { return 0; };
    for (int step = 0; step < 1'000; ++step)
      ChangeOf(books.Rounds(), step);
    System() = calls;
    journal = ReadWholeFile(journalPath).value_or(std::string());
  }
  std::optional<JournaledBooks> books;
  std::string told;
  for (auto _ : state) {
    state.PauseTiming();
    books.reset();
    if (!WriteFileAtomically(journalPath, journal)) {
      state.SkipWithError("the journal could not be written");
      break;
    }
    books.emplace(bench);
    state.ResumeTiming();
    told = books->Journal().Recover();
  }
  if (told.find("The 1000 changes made then were recovered.") == std::string::npos) {
    state.SkipWithError(("the replay did not recover them all: " + told).c_str());
  }
  state.counters["journal_bytes"] = static_cast<double>(journal.size());
  state.counters["rows"] = books ? books->Rounds().Table().RowCount() : 0;
}

// "Import Rounds…" of all the table's rounds into a window on an empty folder, as ImportRounds
// times it, with the window's journal: the import's record made and appended, synced, and the
// journal begun for it. Against ImportRounds, the journal's part.
void JournaledImportRounds(benchmark::State& state) {
  Workbench bench(Rounds(state));
  if (!OpenWorkbench(state, bench)) return;
  QTemporaryDir elsewhere;
  const QString csv = elsewhere.filePath(QStringLiteral("rounds.csv"));
  bench.ChooseFile(csv);
  bench.Open().ExportRounds();
  bench.KeepJournal(true);
  const QString journal =
      QDir(QFileInfo(bench.FilePath()).absolutePath()).filePath(kJournalFileName);
  for (auto _ : state) {
    state.PauseTiming();
    bench.Close();
    QFile::remove(bench.FilePath());
    QFile::remove(journal);
    Scorecard& scorecard = bench.Open();
    state.ResumeTiming();
    scorecard.ImportRounds();
    state.PauseTiming();
    if (scorecard.Rounds().Table().RowCount() != Rounds(state) ||
        QFileInfo(journal).size() < QFileInfo(csv).size() / 2) {
      state.SkipWithError("the import or its journal failed");
      return;
    }
    state.ResumeTiming();
  }
  state.counters["journal_bytes"] = static_cast<double>(QFileInfo(journal).size());
  state.counters["rows"] = Rounds(state);
}

}  // namespace

void RegisterJournalBenchmarks() {
  for (const auto& [name, function] : {std::pair{"JournalAppend", &JournalAppend},
                                       {"JournalAppendUnsynced", &JournalAppendUnsynced}}) {
    benchmark::RegisterBenchmark(name, function)
        ->Arg(100'000)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("JournalAppendImport", JournalAppendImport)
      ->Arg(100'000)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("JournalStart", JournalStart)
      ->Arg(100'000)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("JournalRead1000", JournalRead1000)
      ->Arg(100'000)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  // A sync takes milliseconds: fewer of them.
  for (const auto& [name, function, steps] :
       {std::tuple{"JournaledChangeSteps", &JournaledChangeSteps, 1'000},
        {"JournaledChangeStepsUnsynced", &JournaledChangeStepsUnsynced, 10'000}}) {
    benchmark::RegisterBenchmark(name, function)
        ->Arg(100'000)
        ->Iterations(steps)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("JournalReplay1000", JournalReplay1000)
      ->Arg(100'000)
      ->Iterations(5)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("JournaledImportRounds", JournaledImportRounds)
      ->Arg(100'000)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  Register("ReadRoundsFingerprinted", ReadRoundsFingerprinted, 5);
  Register("ReadRoundsUnfingerprinted", ReadRoundsUnfingerprinted, 5);
  Register("FingerprintRounds", FingerprintRounds, 5);
}

}  // namespace larkspin::bench
