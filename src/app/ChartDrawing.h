#pragma once

#include <QPointF>
#include <QString>

#include "Trends.h"

class QChart;
class QChartView;

namespace larkspin {

// A Qt chart drawing the plain values: its title, axes with their titles, lines or bars and a
// legend; or, when there is nothing to draw, the text that says why. The caller owns it.
QChart* DrawChart(const Chart& values);

// The tip of the point of a line that DrawChart drew nearest to `position` (in the chart's own
// coordinates), if one stands within `reach` of it; empty otherwise.
QString PointTipAt(QChart& chart, QPointF position, qreal reach);

// Over `view`, whatever chart it shows: the mouse resting near a point of a line shows that
// point's tip (see PointTipAt); elsewhere the chart's own tips (a legend's name cut short) show.
void ShowPointTips(QChartView& view);

}  // namespace larkspin
