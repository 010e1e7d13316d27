#pragma once

// What every benchmark needs: the generated files of each size, and a Scorecard working on a
// copy of them in a temporary folder of its own.

#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "Scorecard.h"
#include "SystemClock.h"
#include "support/ByteCountMeasure.h"
#include "support/Fakes.h"

namespace larkspin::bench {

// The generated lks.dat of each size, written once per run; empty when it could not be written.
QString GeneratedRoundFile(int rounds);
// The generated courses.dat of the courses those rounds were played on.
QString GeneratedCourseFile();

// A temporary folder holding a copy of the generated lks.dat (and, when asked, courses.dat),
// and a Scorecard working in it.
class Workbench {
 public:
  enum class Clock { kFixed, kSystem };
  explicit Workbench(int rounds, bool withCourses = false, Clock clock = Clock::kFixed);

  bool Ready() const { return ready_; }
  long long FileBytes() const { return fileBytes_; }
  const QString& FilePath() const { return filePath_; }
  QString FolderPath(const char* name) const;
  const QString& GeneratedPath() const { return source_; }
  const TextMeasure& Measure() const { return measure_; }
  // The outside world of a Scorecard in this folder, for a window opened on it.
  const ScorecardServices& Services() const { return services_; }
  int Messages() const { return static_cast<int>(prompter_.messages.size()); }
  const std::string& LastMessage() const { return prompter_.messages.back().text; }
  int Opened() const { return static_cast<int>(opener_.opened.size()); }
  // The file the File menu's dialogs choose.
  void ChooseFile(const QString& path) { fileChooser_.path = path; }
  // Whether the Scorecards made from now on keep a journal, as the window's does.
  void KeepJournal(bool on) { services_.journal = on; }

  // A new Scorecard with nothing loaded yet; the previous one is closed first.
  Scorecard& Make();
  // A new Scorecard opened on both files as the window opens: rounds, courses, an empty grid.
  Scorecard& Open();
  // A round book alone on the folder's lks.dat, nothing loaded yet; what was open is closed.
  RoundBook& MakeRoundBook();
  // The history the round book records its changes in.
  ChangeHistory& History() { return history_; }
  void Close() {
    scorecard_.reset();
    roundBook_.reset();
    history_ = ChangeHistory();
  }

 private:
  QTemporaryDir folder_;
  QString source_;
  QString filePath_;
  bool ready_ = false;
  long long fileBytes_ = 0;
  // The tests' stand-ins: every question is answered No and every choice takes the first button,
  // the date dialog closes on its day, the wizard takes "OK" on its first hole, the file dialogs
  // choose the file given, and nothing is opened.
  testing::FakePrompter prompter_;
  testing::FakeDatePicker datePicker_;
  testing::ScriptedWizardWindow wizardWindow_;
  testing::RecordingOpener opener_;
  testing::FakeFileChooser fileChooser_;
  testing::ScriptedRatingsEditor ratingsEditor_;
  testing::FixedClock fixedClock_{QDate(2024, 6, 1)};
  SystemClock systemClock_;
  testing::ByteCountMeasure measure_;
  ScorecardServices services_;
  std::unique_ptr<Scorecard> scorecard_;
  ChangeHistory history_;
  std::unique_ptr<RoundBook> roundBook_;
};

inline int Rounds(const benchmark::State& state) {
  return static_cast<int>(state.range(0));
}

// A rating for every course of the table, each with its own stroke indexes, the same every run.
RatingsTable RateEveryCourse(const CourseTable& courses);

// Sets up the workbench and loads it; false after reporting why not.
bool OpenWorkbench(benchmark::State& state, Workbench& bench);

void SetFileCounters(benchmark::State& state, const Workbench& bench);

// Resident memory of this process in bytes, -1 where /proc cannot tell.
long long ResidentBytes();
// The most resident memory since the peak was last reset, -1 where /proc cannot tell.
long long PeakResidentBytes();
// Starts a new peak at the present resident memory; false where the kernel does not allow it.
bool ResetPeakResident();
// Hands memory freed by the last run back to the system, so that the next run's growth is
// measured rather than hidden in the allocator's free lists.
void ReleaseFreeMemory();

// Runs through memory the size of a big cache many times over, so that what comes next finds
// the processor's caches holding something else, as after the user has been doing other things.
void EvictCaches();

// 1,000 and 10,000 rounds as often as Google Benchmark likes, 100,000 rounds `bigIterations`
// times.
void Register(const char* name, void (*function)(benchmark::State&), int bigIterations);

void RegisterRoundBenchmarks();
void RegisterReportBenchmarks();
void RegisterUndoBenchmarks();
void RegisterTrendsBenchmarks();
void RegisterExchangeBenchmarks();
void RegisterHandicapBenchmarks();
void RegisterJournalBenchmarks();
void RegisterTotalsBenchmarks();
// larkspin_window_bench's, beside the Trends window's.
void RegisterHandicapWindowBenchmarks();
void RegisterListPaintBenchmarks();
void RegisterReportWindowBenchmarks();
void RegisterChangeWindowBenchmarks();

}  // namespace larkspin::bench
