#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QSettings;
class QWidget;

namespace larkspin {

class Clock;
class CourseTable;
class FileChooser;
class PagePrinter;
class Prompter;
class RatingsTable;
class RoundTable;
struct GridRound;
struct PrintJob;

// What the "Trends" window reads and whom it asks.
struct TrendsSources {
  const RoundTable& rounds;
  const CourseTable& courses;
  // The entries of the main window's course selector, in its order.
  std::function<std::vector<std::string>()> courseEntries;
  const Clock& clock;
  Prompter& prompter;
  QString folder;  // where "Save Chart…" first offers to save
};

// What the "Handicap" window reads.
struct HandicapSources {
  const RoundTable& rounds;
  const CourseTable& courses;
  const RatingsTable& ratings;
  const Clock& clock;
  // For "Print": the preview, the grid's round now, and where the format chosen is remembered
  // (none: it is not).
  PagePrinter& printer;
  std::function<GridRound()> grid;
  QSettings* settings = nullptr;
};

// The windows that draw charts, made and told through these, wherever their code lives.
struct ChartWindowMakers {
  QDialog* (*trends)(const TrendsSources& sources, QWidget* parent);
  QDialog* (*handicap)(const HandicapSources& sources, QWidget* parent);
  // The tables changed: the window shows them now if it shows, else when it opens.
  void (*tablesChanged)(QDialog* window);
  // Shows the window in front of the others.
  void (*showInFront)(QDialog* window);
  // Qt's print preview of a page: Qt Print Support comes with the chart windows.
  void (*preview)(const PrintJob& job, QWidget* parent);
};

// The chart windows, with Qt Charts and Qt SVG under them, are a library of their own where the
// system allows (larkspin-charts beside the program's other files), loaded when the first of them
// opens: a start that shows no chart does not load those libraries. Elsewhere, and in the tests,
// the program is linked with them and they are registered as it starts. None, with the reason in
// `problem`, when the library cannot be loaded.
const ChartWindowMakers* ChartWindows(QString* problem);
void RegisterChartWindows(const ChartWindowMakers* makers);

// The name the library's makers are found under.
inline constexpr char kChartWindowsEntry[] = "larkspin_chart_window_makers";

}  // namespace larkspin
