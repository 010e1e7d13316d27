#pragma once

#include <QWidget>
#include <optional>

#include "CourseStrokes.h"
#include "PlayingHandicap.h"

class QComboBox;
class QLabel;
class QSettings;
class QSpinBox;

namespace larkspin {

// "Format" beside "Course handicap for": the format of play, a percentage of the golfer's own
// for "Custom", and the playing handicap they give. The choice is remembered in `settings`.
class PlayingHandicapBox final : public QWidget {
  Q_OBJECT

 public:
  PlayingHandicapBox(QSettings* settings, QWidget* parent);

  Allowance Chosen() const { return chosen_; }
  // The playing handicap on the chosen course, or nothing to show.
  void Show(const std::optional<CourseStrokes>& strokes);

  QComboBox* format = nullptr;
  QSpinBox* custom = nullptr;  // shown for "Custom" alone
  QLabel* playingHandicap = nullptr;

 signals:
  void AllowanceChanged();

 private:
  void TakeChoice();

  QSettings* settings_;
  Allowance chosen_;
};

}  // namespace larkspin
