#pragma once

#include "NextRound.h"

class QLabel;
class QWidget;

namespace larkspin {

// What the next round must be, in the Handicap window: how the Index last moved and the
// differential the next round pushes out, under the Index; the scores that lower or keep it on
// the chosen course, beside its course handicap. Each label's accessible name is its text.
class NextRoundLabels {
 public:
  explicit NextRoundLabels(QWidget* parent);

  void ShowOutlook(const IndexOutlook& outlook);
  void ShowTargets(const NextRoundTargets& targets);

  QLabel* change;
  QLabel* leaving;
  QLabel* lower;
  QLabel* keep;
};

}  // namespace larkspin
