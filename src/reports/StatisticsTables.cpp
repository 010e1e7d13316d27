#include "StatisticsTables.h"

#include <initializer_list>
#include <numeric>

#include "HtmlText.h"

namespace larkspin {

namespace {

using Count = ReportStatistics::Count;

// Rows of the tables: "<tr><td>label</td>", a "<td>value</td>" per column, "</tr>". Two rows,
// "4 Shots" and "Under Regulation", end in one "</td>" more than they open: the stray end tag is
// part of the report's format, which browsers show as if it were not there, and the page keeps
// it so that its bytes match any other report page of the same rounds.
class TableRow {
 public:
  TableRow(std::string& document, std::string_view label) : document_(document) {
    document_ += "<tr><td>";
    document_ += label;
    document_ += "</td>";
  }
  TableRow& Whole(Count value) {
    document_ += "<td>";
    AppendWholeNumber(document_, value);
    document_ += "</td>";
    return *this;
  }
  TableRow& Real(double value) {
    document_ += "<td>";
    AppendRealNumber(document_, value);
    document_ += "</td>";
    return *this;
  }
  void End() { document_ += "</tr>"; }
  void EndWithStrayCellEnd() { document_ += "</td></tr>"; }

 private:
  std::string& document_;
};

template <typename Array>
Count Sum(const Array& values) {
  return std::accumulate(values.begin(), values.end(), Count{0});
}

// a / b truncated toward zero, 0 when b is 0.
Count WholeQuotient(Count a, Count b) {
  return b == 0 ? 0 : a / b;
}

double RealQuotient(Count a, Count b) {
  return b == 0 ? 0.0 : static_cast<double>(a) / static_cast<double>(b);
}

constexpr char kParHeading[] = "<tr><td>Par</td><td>3</td><td>4</td><td>5</td><td>Total</td></tr>";

void AppendDrivingDistance(std::string& document, const ReportStatistics& s) {
  document +=
      "<h2>Driving Distance</h2><table border=1 cellpadding=2>"
      "<tr><td>Club</td><td>1I</td><td>2I</td><td>3I</td><td>4I</td><td>5I</td><td>6I</td>"
      "<td>7I</td><td>8I</td><td>9I</td><td>1W</td><td>2W</td><td>3W</td><td>4W</td><td>5W</td>"
      "<td>D</td><td>PW</td><td>SW</td><td>Average</td><td>Total</td></tr>";
  const Count allDrives = Sum(s.drives);
  const Count allDistance = Sum(s.driveDistance);

  TableRow drives(document, "# of Drives");
  for (const Count value : s.drives)
    drives.Whole(value);
  drives.Whole(0).Whole(allDrives).End();

  TableRow distance(document, "Total Dist");
  for (const Count value : s.driveDistance)
    distance.Whole(value);
  distance.Whole(0).Whole(allDistance).End();

  TableRow longest(document, "Longest Drive");
  for (const Count value : s.longestDrive)
    longest.Whole(value);
  longest.Whole(0).Whole(0).End();

  TableRow average(document, "Av. Drive");
  for (int c = 0; c < ReportStatistics::kClubs; ++c)
    average.Whole(WholeQuotient(s.driveDistance[c], s.drives[c]));
  average.Whole(WholeQuotient(allDistance, allDrives)).Whole(0).End();

  document += "</table><br><br>";
}

void AppendShotsPerHole(std::string& document, const ReportStatistics& s) {
  document += "<h2>Shots Per Hole</h2><table border=1 cellpadding=2>";
  document += kParHeading;
  static constexpr const char* kLabels[] = {"1 Shot",  "2 Shots", "3 Shots", "4 Shots", "5 Shots",
                                            "6 Shots", "7 Shots", "8 Shots", "9 Shots", "10 Shots"};
  std::array<Count, ReportStatistics::kPars> totalShots{};
  const auto appendShotRow = [&document](std::string_view label, Count par3, Count par4,
                                         Count par5) {
    const Count sum = par3 + par4 + par5;
    if (sum == 0) return;  // a row of nothing is left out
    TableRow row(document, label);
    row.Whole(par3).Whole(par4).Whole(par5).Whole(sum);
    if (label == "4 Shots") {
      row.EndWithStrayCellEnd();
    } else {
      row.End();
    }
  };
  for (int n = 0; n < ReportStatistics::kScores; ++n) {
    appendShotRow(kLabels[n], s.strokesByScore[0][n], s.strokesByScore[1][n],
                  s.strokesByScore[2][n]);
    for (int p = 0; p < ReportStatistics::kPars; ++p)
      totalShots[p] += s.strokesByScore[p][n];
  }
  appendShotRow("11 Shots+", s.otherStrokes[0], s.otherStrokes[1], s.otherStrokes[2]);
  for (int p = 0; p < ReportStatistics::kPars; ++p)
    totalShots[p] += s.otherStrokes[p];

  const Count allHoles = Sum(s.holesPlayed);
  const Count allShots = Sum(totalShots);
  TableRow holes(document, "Holes Played");
  for (const Count value : s.holesPlayed)
    holes.Whole(value);
  holes.Whole(allHoles).End();

  TableRow shots(document, "Total Shots");
  for (const Count value : totalShots)
    shots.Whole(value);
  shots.Whole(allShots).End();

  TableRow average(document, "Av.");
  for (int p = 0; p < ReportStatistics::kPars; ++p)
    average.Real(RealQuotient(totalShots[p], s.holesPlayed[p]));
  average.Real(RealQuotient(allShots, allHoles)).End();

  document += "</table><br><br>";
}

void AppendGreensInRegulation(std::string& document, const ReportStatistics& s) {
  document += "<h2>Greens in Regulation</h2><table border=1 cellpadding=2>";
  document += kParHeading;
  const auto appendRow = [&document](std::string_view label,
                                     const std::array<Count, ReportStatistics::kPars>& values) {
    TableRow row(document, label);
    for (const Count value : values)
      row.Whole(value);
    row.Whole(Sum(values));
    return row;
  };
  appendRow("Under Regulation", s.underRegulation).EndWithStrayCellEnd();
  appendRow("In Regulation", s.inRegulation).End();
  appendRow("Over Regulation", s.overRegulation).End();
  appendRow("# of Holes", s.holesPlayed).End();
  document += "</table><br><br>";
}

void AppendNumberOfPutts(std::string& document, const ReportStatistics& s) {
  document +=
      "<h2>Number of Puts</h2><table border=1 cellpadding=2>"
      "<tr><td>Puts</td><td>0</td><td>1</td><td>2</td><td>3</td><td>4</td><td>5</td><td>6</td>"
      "<td>7</td><td>8</td><td>9</td><td>10</td><td>11 plus</td><td>Total</td>"
      "<td>Average</td></tr>";
  const Count holes = Sum(s.puttCount) + s.otherPuttCount;
  TableRow row(document, "Number:");
  for (const Count value : s.puttCount)
    row.Whole(value);
  row.Whole(s.otherPuttCount).Whole(holes).Whole(WholeQuotient(s.totalPutts, holes)).End();
  document += "</table>";
}

}  // namespace

void AppendStatisticsTables(std::string& document, const ReportStatistics& statistics) {
  AppendDrivingDistance(document, statistics);
  AppendShotsPerHole(document, statistics);
  AppendGreensInRegulation(document, statistics);
  AppendNumberOfPutts(document, statistics);
}

}  // namespace larkspin
