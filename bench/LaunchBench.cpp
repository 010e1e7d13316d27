// larkspin_launch_bench: starting the program, measured from outside as a user meets it. Each run
// starts a fresh process on Qt's offscreen platform and times from the start until its main
// window has shown the round list with its rows; the process then closes the window as the close
// box does (saving the files, or finding they hold the tables already) and ends. bench/README.md
// says what each case times.
//
// The processes started are larkspin_launch_probe, which is the program's own main() with a probe
// that reports the first paint of the round list and closes the window, and larkspin_yardstick,
// the same widget tree with no data and no logic.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ReportWalk.h"

#include "Workbench.h"

extern char** environ;

namespace larkspin::bench {

namespace {

struct Launch {
  bool ok = false;
  double shownSeconds = 0;  // from the start to the round list painted with its rows
  double cpuSeconds = 0;    // user and system time of the whole run, start to end
  double peakBytes = 0;     // the most resident memory the process had
};

long long Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

QTemporaryDir& ConfigFolder() {
  // The window keeps its place in the user's configuration: here, in a folder of the run's own.
  static QTemporaryDir folder;
  return folder;
}

// Starts `program` (beside this one) with `arguments` and `extraEnvironment` and waits for it to
// end. What it printed goes to `outputTo`.
Launch Run(const char* program, const std::vector<std::string>& arguments,
           const std::vector<std::string>& extraEnvironment = {}, std::string* outputTo = nullptr) {
  Launch launch;
  const std::string path =
      QCoreApplication::applicationDirPath().toStdString() + "/" + std::string(program);
  std::vector<std::string> environment;
  for (char** variable = environ; *variable; ++variable) {
    const std::string text = *variable;
    if (!text.starts_with("QT_QPA_PLATFORM=") && !text.starts_with("XDG_CONFIG_HOME="))
      environment.push_back(text);
  }
  environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
  environment.push_back("QT_QPA_PLATFORM=offscreen");
  environment.push_back("XDG_CONFIG_HOME=" + ConfigFolder().path().toStdString());
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const auto& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& variable : environment)
    envp.push_back(variable.data());
  envp.push_back(nullptr);

  int output[2];
  if (pipe2(output, O_CLOEXEC) != 0) return launch;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  // Qt's notes about the offscreen platform would only clutter the table.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const long long start = Now();
  const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  std::string printed;
  std::string& said = outputTo ? *outputTo : printed;
  char piece[256];
  for (ssize_t read; (read = ::read(output[0], piece, sizeof piece)) != 0;) {
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) break;
    said.append(piece, static_cast<std::size_t>(read));
  }
  close(output[0]);
  if (spawned != 0) return launch;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return launch;
  const auto shown = said.find("shown ");
  if (shown == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return launch;
  launch.shownSeconds = static_cast<double>(std::atoll(said.c_str() + shown + 6) - start) * 1e-9;
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
  };
  launch.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  if (const auto peak = said.find("peak "); peak != std::string::npos)
    launch.peakBytes = std::atof(said.c_str() + peak + 5);
  launch.ok = true;
  return launch;
}

Launch RunProgram(const Workbench& bench, const std::vector<std::string>& environment = {},
                  std::string* said = nullptr) {
  return Run("larkspin_launch_probe", {"--data-dir", bench.FolderPath(".").toStdString()},
             environment, said);
}

Launch RunYardstick() {
  return Run("larkspin_yardstick", {});
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The program started on generated lks.dat and courses.dat files, to its window shown with the
// rows; `cpu_ms` is the whole run's processor time, the closing (and saving) included.
void LaunchToWindow(benchmark::State& state) {
  Workbench bench(Rounds(state), true);
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  std::vector<double> cpu;
  double peak = 0;
  for (auto _ : state) {
    const Launch launch = RunProgram(bench);
    if (!launch.ok) {
      state.SkipWithError("the program did not show its window and end well");
      return;
    }
    state.SetIterationTime(launch.shownSeconds);
    cpu.push_back(launch.cpuSeconds);
    peak = std::max(peak, launch.peakBytes);
  }
  SetFileCounters(state, bench);
  state.counters["cpu_ms"] = Median(cpu) * 1e3;
  state.counters["peak_rss_mib"] = peak / (1 << 20);
  state.counters["peak_rss_per_file_byte"] = peak / static_cast<double>(bench.FileBytes());
}

// The yardstick alone.
void Yardstick(benchmark::State& state) {
  std::vector<double> cpu;
  double peak = 0;
  for (auto _ : state) {
    const Launch launch = RunYardstick();
    if (!launch.ok) {
      state.SkipWithError("the yardstick did not show its window and end well");
      return;
    }
    state.SetIterationTime(launch.shownSeconds);
    cpu.push_back(launch.cpuSeconds);
    peak = std::max(peak, launch.peakBytes);
  }
  state.counters["cpu_ms"] = Median(cpu) * 1e3;
  state.counters["peak_rss_mib"] = peak / (1 << 20);
}

// The program and the yardstick in turn, so that both meet the same machine: the time is the
// program's; `window_ratio` and `cpu_ratio` are the program's medians over the yardstick's.
void LaunchVersusYardstick(benchmark::State& state) {
  Workbench bench(Rounds(state), true);
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  std::vector<double> shown, cpu, yardstickShown, yardstickCpu;
  // Untimed: the first start finds the files out of the cache and writes the window's place.
  RunYardstick();
  RunProgram(bench);
  for (auto _ : state) {
    const Launch yardstick = RunYardstick();
    const Launch launch = RunProgram(bench);
    if (!launch.ok || !yardstick.ok) {
      state.SkipWithError("a process did not show its window and end well");
      return;
    }
    state.SetIterationTime(launch.shownSeconds);
    shown.push_back(launch.shownSeconds);
    cpu.push_back(launch.cpuSeconds);
    yardstickShown.push_back(yardstick.shownSeconds);
    yardstickCpu.push_back(yardstick.cpuSeconds);
  }
  SetFileCounters(state, bench);
  state.counters["yardstick_ms"] = Median(yardstickShown) * 1e3;
  state.counters["cpu_ms"] = Median(cpu) * 1e3;
  state.counters["yardstick_cpu_ms"] = Median(yardstickCpu) * 1e3;
  state.counters["window_ratio"] = Median(shown) / Median(yardstickShown);
  state.counters["cpu_ratio"] = Median(cpu) / Median(yardstickCpu);
}

long long Number(const std::string& said, const std::string& word) {
  const auto at = said.find(word + " ");
  return at == std::string::npos ? -1 : std::atoll(said.c_str() + at + word.size() + 1);
}

std::string MostPlayedCourse(const RoundTable& rounds) {
  std::map<std::string, int, std::less<>> counts;
  for (int row = 0; row < rounds.RowCount(); ++row)
    ++counts[std::string(rounds.Cell(row, kCourseColumn))];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// A report through the real window of a program just started: the course played most typed into
// the selector, the button pressed, and the time until the press has been handled: the page
// written, the desktop asked to open it and the window's fields showing the form again. (Qt's
// offscreen platform opens nothing; on X11, a stand-in "xdg-open" starts within a few
// milliseconds of that.)
void ReportFromPress(benchmark::State& state, const char* button) {
  Workbench bench(Rounds(state), true);
  if (!bench.Ready()) {
    state.SkipWithError("could not write the generated files");
    return;
  }
  const std::string course = MostPlayedCourse(bench.Open().Rounds().Table());
  bench.Close();
  const std::vector<std::string> environment = {"LARKSPIN_PROBE_PRESS=" + std::string(button),
                                                "LARKSPIN_PROBE_COURSE=" + course};
  for (auto _ : state) {
    std::string said;
    const Launch launch = RunProgram(bench, environment, &said);
    const long long pressed = Number(said, "press");
    const long long done = Number(said, "done");
    if (!launch.ok || pressed < 0 || done < 0) {
      state.SkipWithError("the button was not pressed");
      return;
    }
    state.SetIterationTime(static_cast<double>(done - pressed) * 1e-9);
  }
  SetFileCounters(state, bench);
  state.counters["page_bytes"] =
      static_cast<double>(QFileInfo(bench.FolderPath(kReportFileName)).size());
}

void CourseReportFromPress(benchmark::State& state) {
  ReportFromPress(state, "Course Report");
}

void OverallReportFromPress(benchmark::State& state) {
  ReportFromPress(state, "Overall Report");
}

}  // namespace

}  // namespace larkspin::bench

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  using namespace larkspin::bench;
  for (const int rounds : {1'000, 10'000, 100'000}) {
    benchmark::RegisterBenchmark("LaunchToWindow", LaunchToWindow)
        ->Arg(rounds)
        ->Iterations(rounds == 100'000 ? 5 : 10)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
  }
  benchmark::RegisterBenchmark("Yardstick", Yardstick)
      ->Iterations(10)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime();
  // Many pairs: a shared machine's pace drifts by more than the difference measured.
  benchmark::RegisterBenchmark("LaunchVersusYardstick", LaunchVersusYardstick)
      ->Arg(1'000)
      ->Iterations(41)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime();
  using Case = std::pair<const char*, void (*)(benchmark::State&)>;
  for (const auto& [name, function] : {Case{"CourseReportFromPress", CourseReportFromPress},
                                       Case{"OverallReportFromPress", OverallReportFromPress}}) {
    benchmark::RegisterBenchmark(name, function)
        ->Arg(100'000)
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
