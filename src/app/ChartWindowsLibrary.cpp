// The entry of the chart library, which the program looks up when the first chart window opens.

#include <QtGlobal>

#include "ChartWindowMakers.h"

extern "C" Q_DECL_EXPORT const larkspin::ChartWindowMakers* larkspin_chart_window_makers() {
  return larkspin::ChartWindowMakersHere();
}
