#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ChartWindows.h"
#include "CompanionWindow.h"
#include "Trends.h"

class QChartView;
class QComboBox;
class QGridLayout;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace larkspin {

class Clock;
class CourseTable;
class Prompter;
class RoundTable;

// Asks for the file a chart is saved to, offering `suggested`; empty when the user cancels.
using ChartFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;

// The "Trends" window: two choosers, the "Summary" table and five charts, each with "Save
// Chart…" under it. It shows what ComputeTrends gives for the tables as they are, working it out
// again when a chooser changes and, while it shows, when the tables change. The table and the
// charts stand three to a row, or fewer in a narrow window, and scroll where they cannot shrink.
class TrendsWindow final : public CompanionWindow {
  Q_OBJECT

 public:
  using Sources = TrendsSources;
  TrendsWindow(Sources sources, QWidget* parent);

  struct Controls {
    QComboBox* course;
    QComboBox* rounds;
    QTableWidget* summary;
    std::array<QChartView*, kTrendsCharts> charts;
    std::array<QPushButton*, kTrendsCharts> saveChart;
  };
  const Controls& Widgets() const { return controls_; }

  // Replaces the file dialog of "Save Chart…".
  void SetFileChooser(ChartFileChooser chooser) { chooseFile_ = std::move(chooser); }

  // The tables changed: the window shows the new figures now if it shows, else when it opens.
  void OnTablesChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LayOut();
  // As many to a row as `width` has room for, from one to three.
  void Reflow(int width);
  void Refresh();
  void FillCourseChooser();
  void ShowTrends(const Trends& trends);
  void SaveChart(int chart);

  Sources sources_;
  Controls controls_{};
  QScrollArea* scroll_ = nullptr;
  QGridLayout* grid_ = nullptr;
  // The summary, then each chart with its button.
  std::array<QWidget*, kTrendsCharts + 1> cells_{};
  int columns_ = 0;
  std::array<Chart, kTrendsCharts> shown_;  // what the charts show, for "Save Chart…"
  ChartFileChooser chooseFile_;
  std::vector<std::string> courseEntries_;
  bool stale_ = true;  // the tables changed since the figures were worked out
};

inline constexpr std::string_view kChartFailedMessage = "Save Chart";
inline constexpr std::string_view kChartFailedTitle = "Error Saving File.";

}  // namespace larkspin
