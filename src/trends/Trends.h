#pragma once

#include <QDate>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "TrendsChoice.h"

namespace larkspin {

class CourseTable;
class RoundTable;

// One line of the "Summary" table.
struct SummaryRow {
  std::string figure;
  std::string value;
};

// A point of a line; x is the position on the chart's category list (0 for the first).
struct ChartPoint {
  double x = 0;
  double y = 0;
  // A position before it has no value (a round without putts): the line breaks there rather than
  // run across it.
  bool afterGap = false;
  // What the point is: its date, its course and its value, on two lines.
  std::string tip;
};

struct ChartLine {
  std::string name;
  std::vector<ChartPoint> points;
  bool onSecondAxis = false;  // read against the value axis on the right
};

// A bar for each category; none where there is nothing to show.
struct ChartBarSet {
  std::string name;
  std::vector<std::optional<double>> values;
};

enum class ChartKind { kLines, kBars, kStackedBars };

// A chart as plain values: what a drawing needs and nothing of how it is drawn.
struct Chart {
  ChartKind kind = ChartKind::kLines;
  std::string title;
  std::string xTitle;
  std::string yTitle;
  std::string secondYTitle;  // empty: one value axis
  // The label of each position along the x axis, in order.
  std::vector<std::string> categories;
  std::vector<ChartLine> lines;   // kLines
  std::vector<ChartBarSet> bars;  // kBars, kStackedBars
  std::string emptyText;          // not empty: there is nothing to draw, and this says why
};

enum TrendsChart { kScoreByRound, kScoringMix, kAverageByHole, kPuttsAndGreens, kDrivingDistance };
inline constexpr int kTrendsCharts = 5;

struct Trends {
  std::vector<SummaryRow> summary;
  std::array<Chart, kTrendsCharts> charts;
};

// Golf's usual figures over the chosen rounds. Reads the tables' cells where they are and keeps
// a few numbers per round, never a copy of a round.
Trends ComputeTrends(const RoundTable& rounds, const CourseTable& courses,
                     const TrendsChoice& choice, QDate today);

}  // namespace larkspin
