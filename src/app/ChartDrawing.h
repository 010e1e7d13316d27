#pragma once

#include "Trends.h"

class QChart;

namespace larkspin {

// A Qt chart drawing the plain values: its title, axes with their titles, lines or bars and a
// legend; or, when there is nothing to draw, the text that says why. The caller owns it.
QChart* DrawChart(const Chart& values);

}  // namespace larkspin
