#include "IndexChartPoints.h"

namespace larkspin {

IndexChartPoints IndexChartSeries(const std::vector<IndexPoint>& series) {
  IndexChartPoints chart;
  if (series.size() <= kMostIndexPoints) {
    chart.points = series;
    return chart;
  }
  chart.monthly = true;
  for (const IndexPoint& point : series) {
    // Dates are YYYYMMDD: a month is the date without its day.
    if (!chart.points.empty() && chart.points.back().date / 100 == point.date / 100) {
      chart.points.back() = point;
    } else {
      chart.points.push_back(point);
    }
  }
  return chart;
}

}  // namespace larkspin
