#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChartWindows.h"
#include "CompanionWindow.h"
#include "NextRoundLabels.h"

class QAction;
class QChartView;
class QComboBox;
class QPushButton;
class QLabel;
class QTableView;
class QTableWidget;

namespace larkspin {

class Clock;
class CourseTable;
class NotCountedModel;
class PlayingHandicapBox;
class RatingsTable;
class RoundTable;

// The "Handicap" window: the Handicap Index with the Low Index and the cap that held it down, the
// scoring record of the most recent 20 counted rounds, the rounds that do not count and why, the
// Index day after day, and the course handicap and strokes received on a rated course. It shows
// what ComputeHandicapRecord gives for the tables as they are, working it out again, while it
// shows, when they change. Its tables are one stop each for Tab.
class HandicapWindow final : public CompanionWindow {
  Q_OBJECT

 public:
  using Sources = HandicapSources;
  HandicapWindow(Sources sources, QWidget* parent);

  struct Controls {
    QLabel* index;
    QLabel* lowIndex;
    QLabel* cap;  // the cap that held the Index down, if one did
    QTableWidget* record;
    QTableView* notCounted;
    QChartView* chart;
    QComboBox* course;
    QLabel* courseHandicap;
    QTableWidget* strokes;
  };
  const Controls& Widgets() const { return controls_; }
  // The format and playing handicap, what the next round must be, and "Print".
  struct Additions {
    PlayingHandicapBox* playing;
    NextRoundLabels* nextRound;
    QPushButton* print;
    QAction* printCard;
    QAction* printRecord;
  };
  const Additions& Added() const { return added_; }

  // The tables changed: the window shows the new record now if it shows, else when it opens.
  void OnTablesChanged();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void LayOut();
  void Refresh();
  void FillCourseChooser();
  void ShowCourseStrokes();
  void AddPrinting();
  void PrintCard();
  void PrintRecord();

  Sources sources_;
  Controls controls_{};
  Additions added_{};
  std::unique_ptr<NextRoundLabels> nextRound_;
  NotCountedModel* notCounted_ = nullptr;
  std::optional<int> indexTenths_;
  std::vector<std::string> ratedCourses_;
  bool stale_ = true;  // the tables changed since the record was worked out
};

}  // namespace larkspin
