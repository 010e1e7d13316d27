#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Trends.h"

class QChartView;
class QComboBox;
class QPushButton;
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
// again when a chooser changes and, while it shows, when the tables change.
class TrendsWindow final : public QWidget {
  Q_OBJECT

 public:
  struct Sources {
    const RoundTable& rounds;
    const CourseTable& courses;
    // The entries of the main window's course selector, in its order.
    std::function<std::vector<std::string>()> courseEntries;
    const Clock& clock;
    Prompter& prompter;
    QString folder;  // where "Save Chart…" first offers to save
  };
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

  // Shows the window, in front of the others.
  void ShowInFront();
  // The tables changed: the window shows the new figures now if it shows, else when it opens.
  void OnTablesChanged();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void LayOut();
  void Refresh();
  void FillCourseChooser();
  void ShowTrends(const Trends& trends);
  void SaveChart(int chart);

  Sources sources_;
  Controls controls_{};
  ChartFileChooser chooseFile_;
  std::vector<std::string> courseEntries_;
  bool stale_ = true;  // the tables changed since the figures were worked out
};

inline constexpr std::string_view kChartFailedMessage = "Save Chart";
inline constexpr std::string_view kChartFailedTitle = "Error Saving File.";

}  // namespace larkspin
