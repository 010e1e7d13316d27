#include "Workbench.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "CourseFile.h"
#include "RoundFile.h"
#include "RoundFileGenerator.h"

namespace larkspin::bench {

namespace {

QTemporaryDir& GeneratedFolder() {
  static QTemporaryDir folder;
  return folder;
}

}  // namespace

QString GeneratedRoundFile(int rounds) {
  static std::map<int, QString> paths;
  if (const auto it = paths.find(rounds); it != paths.end()) return it->second;
  QString path = GeneratedFolder().filePath(QStringLiteral("lks-%1.dat").arg(rounds));
  if (!GeneratedFolder().isValid() || !WriteGeneratedRoundFile(path.toStdString(), rounds)) {
    path.clear();
  }
  paths.emplace(rounds, path);
  return path;
}

QString GeneratedCourseFile() {
  static const QString path = [] {
    QString file = GeneratedFolder().filePath(QStringLiteral("courses.dat"));
    if (!GeneratedFolder().isValid() || !WriteGeneratedCourseFile(file.toStdString())) {
      file.clear();
    }
    return file;
  }();
  return path;
}

Workbench::Workbench(int rounds, bool withCourses, Clock clock)
    : source_(GeneratedRoundFile(rounds)),
      services_{.prompter = prompter_,
                .datePicker = datePicker_,
                .wizardWindow = wizardWindow_,
                .opener = opener_,
                .clock = clock == Clock::kSystem ? static_cast<const larkspin::Clock&>(systemClock_)
                                                 : fixedClock_,
                .fileChooser = fileChooser_,
                .ratingsEditor = ratingsEditor_,
                .workDir = folder_.path(),
                .appName = "larkspin",
                .helpPage = QString()} {
  prompter_.defaultChoice = 0;
  filePath_ = FolderPath(kRoundFileName);
  ready_ = folder_.isValid() && !source_.isEmpty() && QFile::copy(source_, filePath_);
  if (withCourses) {
    const QString courses = GeneratedCourseFile();
    ready_ = ready_ && !courses.isEmpty() && QFile::copy(courses, FolderPath(kCourseFileName));
  }
  if (ready_) fileBytes_ = QFileInfo(filePath_).size();
}

QString Workbench::FolderPath(const char* name) const {
  return QDir(folder_.path()).filePath(QString::fromLatin1(name));
}

Scorecard& Workbench::Make() {
  Close();
  scorecard_ = std::make_unique<Scorecard>(services_);
  return *scorecard_;
}

Scorecard& Workbench::Open() {
  Scorecard& scorecard = Make();
  scorecard.OnInitDialog();
  return scorecard;
}

RoundBook& Workbench::MakeRoundBook() {
  Close();
  roundBook_ = std::make_unique<RoundBook>(filePath_, history_);
  return *roundBook_;
}

RatingsTable RateEveryCourse(const CourseTable& courses) {
  RatingsTable ratings;
  std::mt19937 random(20240601);
  for (int row = 0; row < courses.RowCount(); ++row) {
    RatingRecord rating{courses.Row(row)[kCourseNameCell]};
    rating[kRatingCell] =
        std::to_string(67 + static_cast<int>(random() % 8)) + "." + std::to_string(random() % 10);
    rating[kSlopeCell] = std::to_string(105 + random() % 40);
    std::array<int, kHoles> indexes;
    std::iota(indexes.begin(), indexes.end(), 1);
    std::shuffle(indexes.begin(), indexes.end(), random);
    for (int hole = 1; hole <= kHoles; ++hole)
      rating[StrokeIndexCell(hole)] = std::to_string(indexes[hole - 1]);
    if (ratings.Find(rating[kRatingCourseCell]) < 0) ratings.Insert(std::move(rating));
  }
  return ratings;
}

bool OpenWorkbench(benchmark::State& state, Workbench& bench) {
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return false;
  }
  const int rows = bench.Open().Rounds().Table().RowCount();
  if (rows != Rounds(state)) {
    state.SkipWithError("the generated lks.dat did not load in full");
    return false;
  }
  return true;
}

void SetFileCounters(benchmark::State& state, const Workbench& bench) {
  state.counters["file_bytes"] = static_cast<double>(bench.FileBytes());
  state.counters["rows"] = Rounds(state);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bench.FileBytes());
}

long long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long long size = 0;
  long long resident = 0;
  if (!(statm >> size >> resident)) return -1;
  return resident * sysconf(_SC_PAGESIZE);
}

long long PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmHWM:") {
      long long kilobytes = 0;
      if (status >> kilobytes) return kilobytes * 1024;
      break;
    }
  }
  return -1;
}

bool ResetPeakResident() {
  std::ofstream clearRefs("/proc/self/clear_refs");
  clearRefs << "5";
  clearRefs.flush();
  return static_cast<bool>(clearRefs);
}

void ReleaseFreeMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

void EvictCaches() {
  static std::vector<char> other(64 << 20);
  for (std::size_t i = 0; i < other.size(); i += 64)
    other[i] = static_cast<char>(other[i] + 1);
  benchmark::ClobberMemory();
}

void Register(const char* name, void (*function)(benchmark::State&), int bigIterations) {
  benchmark::RegisterBenchmark(name, function)
      ->Arg(1'000)
      ->Arg(10'000)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name, function)
      ->Arg(100'000)
      ->Iterations(bigIterations)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

}  // namespace larkspin::bench
