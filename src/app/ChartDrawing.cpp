#include "ChartDrawing.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QHelpEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineF>
#include <QLineSeries>
#include <QSet>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace larkspin {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// Where a series keeps the tips of its points, in their order.
constexpr char kTipsProperty[] = "larkspinTips";

// How near the mouse must rest to a point for its tip, in pixels.
constexpr qreal kTipReach = 8;

// Up to this many points are drawn as dots as well as a line.
constexpr std::size_t kMostDots = 60;
// Past this many bars to a chart they stand side by side without outlines or gaps, which
// would hide them.
constexpr std::size_t kMostSeparateBars = 60;

// Writes a label at every position, or at every `step`th one: as many as the axis is wide enough
// for without Qt cutting them short, again whenever the plot is resized. Labels too wide to stand
// side by side stand upright where that lets every one of them show.
class CategoryLabels {
 public:
  CategoryLabels(QCategoryAxis* axis, const std::vector<std::string>& labels) : axis_(axis) {
    labels_.reserve(static_cast<qsizetype>(labels.size()));
    for (const std::string& label : labels)
      labels_.append(Text(label));
  }

  void Fit(double width) {
    if (labels_.isEmpty() || width <= 0) return;
    // The chart's theme sets the font once the axis is on the chart.
    const QFontMetricsF metrics(axis_->labelsFont());
    double widest = 0;
    for (const QString& label : labels_)
      widest = std::max(widest, metrics.horizontalAdvance(label));
    // Qt gives each of n labels the axis width over n + 1, less its padding on both sides.
    const auto fits = [width](qsizetype labels, double extent) {
      return width / static_cast<double>(labels + 1) - kLabelPadding >= extent;
    };
    const qsizetype count = labels_.size();
    const bool upright = !fits(count, widest) && fits(count, metrics.height());
    qsizetype step = 1;
    while (!upright && step < count && !fits((count + step - 1) / step, widest))
      ++step;
    if (step == step_ && upright == upright_) return;
    step_ = step;
    upright_ = upright;
    axis_->setLabelsAngle(upright ? -90 : 0);
    for (const QString& label : axis_->categoriesLabels())
      axis_->remove(label);
    QSet<QString> written;  // an axis label may stand once only
    for (qsizetype i = 0; i < labels_.size(); i += step) {
      if (written.contains(labels_[i])) continue;
      written.insert(labels_[i]);
      axis_->append(labels_[i], static_cast<double>(i));
    }
  }

 private:
  static constexpr double kLabelPadding = 2 * 4.0 + 1;

  QCategoryAxis* axis_;
  QList<QString> labels_;
  qsizetype step_ = 0;
  bool upright_ = false;
};

// The x axis: a label at each position the width allows; bars and points stand on whole
// positions, half a position in from the ends.
QCategoryAxis* CategoryAxis(QChart* chart, const Chart& values) {
  auto* axis = new QCategoryAxis;
  axis->setTitleText(Text(values.xTitle));
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axis->setRange(-0.5, static_cast<double>(values.categories.size()) - 0.5);
  auto labels = std::make_shared<CategoryLabels>(axis, values.categories);
  QObject::connect(chart, &QChart::plotAreaChanged, axis,
                   [labels](const QRectF& area) { labels->Fit(area.width()); });
  return axis;
}

QValueAxis* ValueAxis(const std::string& title, double lowest, double highest) {
  auto* axis = new QValueAxis;
  axis->setTitleText(Text(title));
  if (highest <= lowest) {
    lowest -= 1;
    highest += 1;
  }
  const double margin = (highest - lowest) * 0.05;
  // Values that are never negative keep the axis from going below 0.
  axis->setRange(lowest >= 0 ? std::max(0.0, lowest - margin) : lowest - margin, highest + margin);
  axis->applyNiceNumbers();
  axis->setLabelFormat(QStringLiteral("%g"));
  return axis;
}

// Where a line's points run without a gap: [begin, end) of each run.
std::vector<std::pair<std::size_t, std::size_t>> Runs(const ChartLine& line) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  for (std::size_t i = 0; i < line.points.size(); ++i) {
    if (runs.empty() || line.points[i].afterGap) runs.emplace_back(i, i);
    runs.back().second = i + 1;
  }
  return runs;
}

QLineSeries* AddRun(QChart* chart, const ChartLine& line, std::pair<std::size_t, std::size_t> run,
                    QAbstractAxis* x, QAbstractAxis* y) {
  auto* series = new QLineSeries;
  series->setName(Text(line.name));
  QList<QPointF> points;
  QStringList tips;
  for (std::size_t i = run.first; i < run.second; ++i) {
    points.append(QPointF(line.points[i].x, line.points[i].y));
    tips.append(Text(line.points[i].tip));
  }
  series->replace(points);
  // A point alone between two gaps has no line to show it.
  series->setPointsVisible(line.points.size() <= kMostDots || points.size() == 1);
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
  series->setProperty(kTipsProperty, tips);
  return series;
}

void DrawLines(QChart* chart, const Chart& values) {
  QAbstractAxis* x = CategoryAxis(chart, values);
  chart->addAxis(x, Qt::AlignBottom);
  // Each value axis spans the lines read against it.
  std::array<double, 2> lowest = {HUGE_VAL, HUGE_VAL};
  std::array<double, 2> highest = {-HUGE_VAL, -HUGE_VAL};
  for (const ChartLine& line : values.lines) {
    for (const ChartPoint& point : line.points) {
      lowest[line.onSecondAxis] = std::min(lowest[line.onSecondAxis], point.y);
      highest[line.onSecondAxis] = std::max(highest[line.onSecondAxis], point.y);
    }
  }
  std::array<QValueAxis*, 2> y = {ValueAxis(values.yTitle, lowest[0], highest[0]), nullptr};
  chart->addAxis(y[0], Qt::AlignLeft);
  if (!values.secondYTitle.empty()) {
    y[1] = ValueAxis(values.secondYTitle, lowest[1], highest[1]);
    chart->addAxis(y[1], Qt::AlignRight);
  }
  // A line is drawn as one series for each run of points between its gaps. The first runs of
  // every line come first, so each line has the colour it would have without gaps; the other
  // runs take the colour of their line's first, which alone the legend names.
  std::vector<std::vector<std::pair<std::size_t, std::size_t>>> runs;
  std::vector<QLineSeries*> firsts;
  for (const ChartLine& line : values.lines) {
    runs.push_back(Runs(line));
    QAbstractAxis* axis = line.onSecondAxis && y[1] ? y[1] : y[0];
    firsts.push_back(runs.back().empty() ? nullptr
                                         : AddRun(chart, line, runs.back().front(), x, axis));
  }
  for (std::size_t i = 0; i < values.lines.size(); ++i) {
    const ChartLine& line = values.lines[i];
    QAbstractAxis* axis = line.onSecondAxis && y[1] ? y[1] : y[0];
    for (std::size_t run = 1; run < runs[i].size(); ++run) {
      QLineSeries* series = AddRun(chart, line, runs[i][run], x, axis);
      series->setPen(firsts[i]->pen());
      for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
    }
  }
}

void DrawBars(QChart* chart, const Chart& values) {
  const bool stacked = values.kind == ChartKind::kStackedBars;
  QAbstractBarSeries* series =
      stacked ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries) : new QBarSeries;
  const std::size_t bars = values.categories.size() * (stacked ? 1 : values.bars.size());
  const bool dense = bars > kMostSeparateBars;
  if (dense) series->setBarWidth(1.0);
  // The tallest bar, or the tallest stack.
  std::vector<double> heights(values.categories.size());
  for (const ChartBarSet& barSet : values.bars) {
    auto* set = new QBarSet(Text(barSet.name));
    if (dense) set->setPen(Qt::NoPen);
    for (std::size_t i = 0; i < barSet.values.size() && i < heights.size(); ++i) {
      const double value = barSet.values[i].value_or(0);
      set->append(value);
      heights[i] = stacked ? heights[i] + value : std::max(heights[i], value);
    }
    series->append(set);
  }
  // Shares that add up to 100 may come to a hair more.
  const double highest =
      heights.empty() ? 0
                      : std::round(*std::max_element(heights.begin(), heights.end()) * 1e6) / 1e6;
  chart->addSeries(series);
  if (stacked) {
    // Beside the stacks, in their order from the top down.
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setReverseMarkers(true);
  }
  QAbstractAxis* x = CategoryAxis(chart, values);
  chart->addAxis(x, Qt::AlignBottom);
  series->attachAxis(x);
  auto* y = new QValueAxis;
  y->setTitleText(Text(values.yTitle));
  y->setRange(0, highest > 0 ? highest : 1);
  y->applyNiceNumbers();
  y->setLabelFormat(QStringLiteral("%g"));
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(y);
}

// The text in the middle of an empty chart, kept there as the chart is resized.
void DrawEmpty(QChart* chart, const Chart& values) {
  chart->legend()->hide();
  auto* text = new QGraphicsSimpleTextItem(Text(values.emptyText), chart);
  const auto center = [chart, text] {
    const QRectF area = chart->plotArea();
    const QRectF box = text->boundingRect();
    text->setPos(area.center() - QPointF(box.width() / 2, box.height() / 2));
  };
  QObject::connect(chart, &QChart::plotAreaChanged, chart, center);
  center();
}

// Watches a chart view's viewport for the mouse resting.
class PointTips final : public QObject {
 public:
  explicit PointTips(QChartView& view) : QObject(&view), view_(view) {
    view.viewport()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || watched != view_.viewport() || !view_.chart())
      return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QChart& chart = *view_.chart();
    const QString tip =
        PointTipAt(chart, chart.mapFromScene(view_.mapToScene(help->pos())), kTipReach);
    if (tip.isEmpty()) return false;
    QToolTip::showText(help->globalPos(), tip, view_.viewport());
    return true;
  }

 private:
  QChartView& view_;
};

}  // namespace

void ShowPointTips(QChartView& view) {
  new PointTips(view);
}

QString PointTipAt(QChart& chart, QPointF position, qreal reach) {
  QString tip;
  qreal nearest = reach;
  for (QAbstractSeries* abstract : chart.series()) {
    auto* series = qobject_cast<QLineSeries*>(abstract);
    if (!series) continue;
    const QStringList tips = series->property(kTipsProperty).toStringList();
    // The points stand in x order: only those within reach to the left or right are measured.
    const qreal from = chart.mapToValue(position - QPointF(reach, 0), series).x();
    const qreal to = chart.mapToValue(position + QPointF(reach, 0), series).x();
    const QList<QPointF> points = series->points();
    auto point = std::lower_bound(points.begin(), points.end(), from,
                                  [](const QPointF& p, qreal x) { return p.x() < x; });
    for (; point != points.end() && point->x() <= to; ++point) {
      const qreal distance = QLineF(chart.mapToPosition(*point, series), position).length();
      if (distance <= nearest) {
        nearest = distance;
        tip = tips.value(point - points.begin());
      }
    }
  }
  return tip;
}

QChart* DrawChart(const Chart& values) {
  auto* chart = new QChart;
  chart->setTitle(Text(values.title));
  // Room for the plot: the view's frame is margin enough.
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setBackgroundRoundness(0);
  QFont small = chart->legend()->font();
  small.setPointSizeF(small.pointSizeF() * 0.8);
  chart->legend()->setFont(small);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setShowToolTips(true);  // the whole name of an item cut short
  if (!values.emptyText.empty()) {
    DrawEmpty(chart, values);
  } else if (values.kind == ChartKind::kLines) {
    DrawLines(chart, values);
  } else {
    DrawBars(chart, values);
  }
  return chart;
}

}  // namespace larkspin
