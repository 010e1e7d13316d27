#include "TrendsCharts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "ClubCode.h"
#include "Tenths.h"

namespace larkspin {

namespace {

std::string DateLabel(int date) {
  if (date == 0) return "no date";
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date / 10000, date / 100 % 100, date % 100);
  return text;
}

std::string MonthLabel(int month) {
  if (month == 0) return "no date";
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d", month / 100, month % 100);
  return text;
}

// A place on the x axis of the per-round charts: one round, or the rounds of one month.
struct Position {
  std::string label;
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string where;  // the date and the course, or the month and its courses
};

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::vector<Position> Positions(const std::vector<FullRound>& rounds, bool monthly) {
  std::vector<Position> positions;
  for (std::size_t i = 0; i < rounds.size(); ++i) {
    const int month = rounds[i].date / 100;
    if (monthly && !positions.empty() && rounds[positions.back().begin].date / 100 == month) {
      positions.back().end = i + 1;
    } else {
      positions.push_back({monthly ? MonthLabel(month) : DateLabel(rounds[i].date), i, i + 1, {}});
    }
  }
  for (Position& position : positions) {
    std::vector<std::string_view> courses;
    for (std::size_t i = position.begin; i < position.end; ++i) {
      if (std::find(courses.begin(), courses.end(), rounds[i].course) == courses.end())
        courses.push_back(rounds[i].course);
    }
    position.where = position.label + ", " +
                     (courses.size() == 1 ? std::string(courses[0])
                                          : Counted(courses.size(), "course", "courses"));
    if (monthly) position.where += ", " + Counted(position.end - position.begin, "round", "rounds");
  }
  return positions;
}

// What a line's values are: how a tip writes them.
enum class Unit { kStrokes, kToPar, kPercent };

// Whole values as they are, others to a tenth: "90", "+17.4", "E", "44.4%".
std::string ValueText(double value, Unit unit) {
  const auto tenths = static_cast<std::int64_t>(std::llround(value * 10));
  std::string text = unit == Unit::kToPar ? SignedTenthsText(tenths) : TenthsText(tenths);
  if (tenths % 10 == 0 && text.ends_with(".0")) text.resize(text.size() - 2);
  return unit == Unit::kPercent ? text + '%' : text;
}

std::string Tip(const std::string& where, const std::string& line, double value, Unit unit) {
  return where + '\n' + line + ": " + ValueText(value, unit);
}

// The mean of `value` over a position's rounds that have one (value returns false for none).
template <typename Value>
std::optional<double> MeanAt(const std::vector<FullRound>& rounds, const Position& position,
                             Value value) {
  double sum = 0;
  int count = 0;
  for (std::size_t i = position.begin; i < position.end; ++i) {
    if (const std::optional<double> v = value(rounds[i])) {
      sum += *v;
      ++count;
    }
  }
  if (count == 0) return std::nullopt;
  return sum / count;
}

// A point at each position with a value; the line breaks over those without.
template <typename Value>
ChartLine LineOf(std::string name, Unit unit, const std::vector<FullRound>& rounds,
                 const std::vector<Position>& positions, Value value) {
  ChartLine line{std::move(name), {}};
  bool gap = false;
  for (std::size_t x = 0; x < positions.size(); ++x) {
    const auto y = MeanAt(rounds, positions[x], value);
    if (!y) {
      gap = !line.points.empty();
      continue;
    }
    line.points.push_back(
        {static_cast<double>(x), *y, gap, Tip(positions[x].where, line.name, *y, unit)});
    gap = false;
  }
  return line;
}

// Each point from the fifth on: the mean of it and the four before.
ChartLine MovingAverage(std::string name, Unit unit, const ChartLine& line,
                        const std::vector<Position>& positions) {
  ChartLine average{std::move(name), {}};
  double sum = 0;
  for (std::size_t i = 0; i < line.points.size(); ++i) {
    sum += line.points[i].y;
    if (i >= 5) sum -= line.points[i - 5].y;
    if (i < 4) continue;
    const ChartPoint& at = line.points[i];
    const std::string& where = positions[static_cast<std::size_t>(at.x)].where;
    average.points.push_back({at.x, sum / 5, false, Tip(where, average.name, sum / 5, unit)});
  }
  return average;
}

Chart MakeChart(ChartKind kind, std::string title, std::string xTitle, std::string yTitle) {
  Chart chart;
  chart.kind = kind;
  chart.title = std::move(title);
  chart.xTitle = std::move(xTitle);
  chart.yTitle = std::move(yTitle);
  return chart;
}

std::vector<std::string> Labels(const std::vector<Position>& positions) {
  std::vector<std::string> labels;
  labels.reserve(positions.size());
  for (const Position& position : positions)
    labels.push_back(position.label);
  return labels;
}

Chart ScoreByRound(const std::vector<FullRound>& rounds, const std::vector<Position>& positions,
                   bool monthly) {
  const bool toPar = std::all_of(rounds.begin(), rounds.end(),
                                 [](const FullRound& round) { return round.hasToPar; });
  Chart chart =
      MakeChart(ChartKind::kLines, monthly ? "Score by round (monthly means)" : "Score by round",
                monthly ? "Month" : "Round, by date", toPar ? "Strokes to par" : "Strokes");
  chart.categories = Labels(positions);
  const Unit unit = toPar ? Unit::kToPar : Unit::kStrokes;
  ChartLine scores = LineOf(toPar ? "To par" : "Score", unit, rounds, positions,
                            [toPar](const FullRound& round) -> std::optional<double> {
                              return toPar ? round.toPar : round.score;
                            });
  ChartLine average =
      MovingAverage(monthly ? "Average of the last five months" : "Average of the last five rounds",
                    unit, scores, positions);
  chart.lines = {std::move(scores), std::move(average)};
  return chart;
}

Chart PuttsAndGreens(const std::vector<FullRound>& rounds, const std::vector<Position>& positions,
                     bool monthly) {
  Chart chart = MakeChart(ChartKind::kLines,
                          monthly ? "Putts and greens (monthly means)" : "Putts and greens",
                          monthly ? "Month" : "Round, by date", "Putts");
  chart.secondYTitle = "Greens (%)";
  chart.categories = Labels(positions);
  chart.lines.push_back(LineOf("Putts per round", Unit::kStrokes, rounds, positions,
                               [](const FullRound& round) -> std::optional<double> {
                                 if (round.putts < 0) return std::nullopt;
                                 return round.putts;
                               }));
  ChartLine greens = LineOf("Greens in regulation", Unit::kPercent, rounds, positions,
                            [](const FullRound& round) -> std::optional<double> {
                              if (round.greenHoles == 0) return std::nullopt;
                              return 100.0 * round.greensHit / round.greenHoles;
                            });
  greens.onSecondAxis = true;
  chart.lines.push_back(std::move(greens));
  return chart;
}

Chart ScoringMix(const TrendsTally& tally) {
  Chart chart = MakeChart(ChartKind::kStackedBars, "Scoring mix", "Month", "Share of holes (%)");
  for (const char* name : kScoringClassNames)
    chart.bars.push_back({name, {}});
  for (const auto& [month, classes] : tally.classesByMonth) {
    chart.categories.push_back(MonthLabel(month));
    std::int64_t holes = 0;
    for (const std::int64_t count : classes)
      holes += count;
    for (std::size_t i = 0; i < classes.size(); ++i)
      chart.bars[i].values.push_back(100.0 * static_cast<double>(classes[i]) / holes);
  }
  if (chart.categories.empty()) chart.emptyText = "No holes with a par in this choice";
  return chart;
}

std::optional<double> Average(const StrokeAverage& average) {
  if (average.holes == 0) return std::nullopt;
  return static_cast<double>(average.strokes) / static_cast<double>(average.holes);
}

Chart AverageByHole(const TrendsTally& tally, const std::optional<HolePars>& coursePars) {
  Chart chart = MakeChart(ChartKind::kBars, "Average by hole", "", "Strokes");
  ChartBarSet strokes{"Average strokes", {}};
  ChartBarSet pars{"Par", {}};
  if (coursePars) {
    chart.xTitle = "Hole";
    for (int hole = 1; hole <= kHoles; ++hole) {
      chart.categories.push_back(std::to_string(hole));
      strokes.values.push_back(Average(tally.byHole[hole - 1]));
      const int par = (*coursePars)[hole - 1];
      pars.values.push_back(par > 0 ? std::optional<double>(par) : std::nullopt);
    }
  } else {
    chart.xTitle = "Par";
    for (int par = 3; par <= 5; ++par) {
      chart.categories.push_back("Par " + std::to_string(par));
      strokes.values.push_back(Average(tally.byPar[par - 3]));
      pars.values.push_back(par);
    }
    if (std::none_of(strokes.values.begin(), strokes.values.end(),
                     [](const auto& value) { return value.has_value(); })) {
      chart.emptyText = "No holes with a par in this choice";
    }
  }
  chart.bars = {std::move(strokes), std::move(pars)};
  return chart;
}

Chart DrivingDistance(const TrendsTally& tally) {
  Chart chart = MakeChart(ChartKind::kBars, "Driving distance", "Club", "Distance");
  ChartBarSet average{"Average", {}};
  ChartBarSet shortest{"Shortest", {}};
  ChartBarSet longest{"Longest", {}};
  const auto add = [&](std::string_view club, const DriveTally& drives) {
    if (drives.count == 0) return;
    chart.categories.emplace_back(club);
    average.values.push_back(static_cast<double>(drives.sum) / static_cast<double>(drives.count));
    shortest.values.push_back(drives.shortest);
    longest.values.push_back(drives.longest);
  };
  for (std::size_t i = 0; i < kClubCodes.size(); ++i)
    add(kClubCodes[i], tally.codeDrives[i]);
  for (const auto& [club, drives] : tally.otherDrives)
    add(club, drives);
  chart.bars = {std::move(average), std::move(shortest), std::move(longest)};
  if (chart.categories.empty()) chart.emptyText = "No drives on par 4s and par 5s in this choice";
  return chart;
}

// A line with no point (the average of fewer than five rounds, putts never counted) is neither
// drawn nor named in the legend, and a value axis with no line goes.
void DropEmptyLines(Chart& chart) {
  std::erase_if(chart.lines, [](const ChartLine& line) { return line.points.empty(); });
  const auto on = [&chart](bool second) {
    return std::any_of(chart.lines.begin(), chart.lines.end(),
                       [second](const ChartLine& line) { return line.onSecondAxis == second; });
  };
  if (on(true) && !on(false)) {
    chart.yTitle = chart.secondYTitle;
    for (ChartLine& line : chart.lines)
      line.onSecondAxis = false;
  }
  if (!on(true)) chart.secondYTitle.clear();
}

}  // namespace

std::array<Chart, kTrendsCharts> TrendsCharts(const TrendsTally& tally,
                                              const std::optional<HolePars>& coursePars) {
  const bool monthly = tally.fullRounds.size() > kMostRoundsPlotted;
  const std::vector<Position> positions = Positions(tally.fullRounds, monthly);
  std::array<Chart, kTrendsCharts> charts = {ScoreByRound(tally.fullRounds, positions, monthly),
                                             ScoringMix(tally), AverageByHole(tally, coursePars),
                                             PuttsAndGreens(tally.fullRounds, positions, monthly),
                                             DrivingDistance(tally)};
  for (Chart& chart : charts)
    DropEmptyLines(chart);
  if (charts[kPuttsAndGreens].lines.empty())
    charts[kPuttsAndGreens].emptyText = "No putts in this choice";
  if (tally.fullRounds.empty()) {
    charts[kScoreByRound].emptyText = "No 18-hole rounds in this choice";
    charts[kPuttsAndGreens].emptyText = "No 18-hole rounds in this choice";
  }
  if (tally.rounds == 0) {
    for (Chart& chart : charts)
      chart.emptyText = kNoRoundsText;
  }
  return charts;
}

}  // namespace larkspin
