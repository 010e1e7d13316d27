// The two reports through the main window on Qt's offscreen platform: from the press of "Course
// Report" or "Overall Report" until the page is on disk, the desktop has been asked to open it and
// the window's fields show the form again, as the user meets it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <string>

#include "CScorecardDlg.h"
#include "ReportWalk.h"
#include "ShownMainWindow.h"
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

void RunReportWindow(benchmark::State& state, bool overall) {
  Workbench bench(Rounds(state), true);
  const std::unique_ptr<CScorecardDlg> shown = ShowMainWindow(state, bench);
  if (!shown) return;
  CScorecardDlg& window = *shown;
  const RoundTable& rounds = window.Core().Rounds().Table();
  // The user picks the course played most and the period "Eternity".
  QComboBox* course = window.Widgets().course;
  course->setCurrentIndex(course->findText(QString::fromStdString(MostPlayedCourse(rounds))));
  emit course->activated(course->currentIndex());
  window.Widgets().period->setCurrentText(QStringLiteral("Eternity"));
  QPushButton* button = overall ? window.Widgets().overallReport : window.Widgets().courseReport;
  for (auto _ : state) {
    state.PauseTiming();
    QCoreApplication::processEvents();
    EvictCaches();
    state.ResumeTiming();

    button->click();
  }
  SetFileCounters(state, bench);
  state.counters["page_bytes"] =
      static_cast<double>(QFileInfo(bench.FolderPath(kReportFileName)).size());
  if (bench.Messages() != 0 || bench.Opened() != static_cast<int>(state.iterations())) {
    state.SkipWithError("the report was not written and opened every time");
  }
}

void CourseReportWindow(benchmark::State& state) {
  RunReportWindow(state, false);
}

void OverallReportWindow(benchmark::State& state) {
  RunReportWindow(state, true);
}

}  // namespace

void RegisterReportWindowBenchmarks() {
  Register("CourseReportWindow", CourseReportWindow, 5);
  Register("OverallReportWindow", OverallReportWindow, 5);
}

}  // namespace larkspin::bench
