#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "QtServices.h"
#include "Scorecard.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QSettings;

namespace larkspin {

struct ChartWindowMakers;
class HoleBox;
class PagePrinter;
class RoundListModel;
class RoundListView;
class TotalsBox;

// The main window. It forwards each control to the command of the same name in Scorecard,
// copying what the user typed into the form before and showing the form after.
class CScorecardDlg final : public QDialog {
  Q_OBJECT

 public:
  // With `placement`, the window opens where it last closed and is kept there when it closes.
  explicit CScorecardDlg(ScorecardServices services, QSettings* placement = nullptr,
                         QWidget* parent = nullptr);
  ~CScorecardDlg() override;

  Scorecard& Core() { return *core_; }

  // The controls, in tab order where they take the focus.
  struct Controls {
    QComboBox* course;
    QPushButton* addCourse;
    QPushButton* updateCourse;
    QPushButton* removeCourse;
    QPushButton* date;
    QLineEdit* dateField;
    std::array<HoleBox*, kHoles> holes;
    TotalsBox* out;  // beside hole 9
    TotalsBox* in;   // beside hole 18
    TotalsBox* total;
    RoundListView* rounds;
    QPushButton* addScore;
    QPushButton* removeScore;
    QPushButton* updateScore;
    QComboBox* period;
    QPushButton* courseReport;
    QPushButton* overallReport;
    QPushButton* trends;
    QPushButton* handicap;
    QPushButton* clear;
    QPushButton* wizard;
    QLineEdit* roundCount;
    QPushButton* help;
    QPushButton* quit;
  };
  const Controls& Widgets() const { return controls_; }

  // The menu bar over the controls: File, Edit, View, Help.
  struct Menus {
    QMenuBar* bar;
    QMenu* file;
    QMenu* edit;
    QMenu* view;
    QMenu* help;
    QAction* exportRounds;
    QAction* exportCourses;
    QAction* importRounds;
    QAction* importCourses;
    QAction* printScorecard;
    QAction* saveScorecardPdf;
    QAction* quit;
    QAction* undo;
    QAction* redo;
    QAction* courseRatings;
    QAction* trends;
    QAction* handicap;
    QAction* userGuide;
    QAction* about;
  };
  const Menus& MenuBar() const { return menus_; }

  // Closing by any way ("Quit", Enter, Esc, the close box) saves both files first. When saving
  // fails and the user does not choose to lose the changes, the window stays open.
  void done(int result) override;
  // Closes the window as "Quit" does, first ending any box or dialog open over it.
  void CloseAsQuit();
  // For a process about to end without closing the window: saves both files if the window has not,
  // showing nothing; what could not be saved.
  std::vector<std::string> SaveBeforeExit();
  // The session manager asks to save: see Scorecard::OnEndSession.
  bool OnEndSession(const std::function<bool()>& mayAsk);

  void ShowAbout();
  // Opens the "Trends" window, or brings the open one to the front.
  void OpenTrends();
  // Opens the "Handicap" window, or brings the open one to the front.
  void OpenHandicap();
  // Where the windows' print previews go; tests put a recorder in place of Qt's preview.
  void SetPagePrinter(PagePrinter* printer) { printer_ = printer; }

 signals:
  // A command changed the round table, the course table or the ratings.
  void TablesChanged();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
#ifdef Q_OS_WIN
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

 private:
  void BuildControls();
  void BuildMenus();
  void LayOut();
  void SetTabOrder();
  void Connect();
  void AddAboutToSystemMenu();

  // A dialog or box is open over the window. Until it closes, the window's buttons and menu items
  // do nothing, however they are pressed (the accessibility interface presses a button the mouse
  // cannot reach), and the window does not close.
  bool Covered() const;
  // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y undo and redo the tables in `window` (this one, or a window
  // of its own beside it), from any field with nothing of its own to undo or redo.
  void ShareHistoryKeys(QWidget* window);
  // The chart windows' makers, the library loaded at first use; none, and the user told why, when
  // it cannot be, for the window titled `title`.
  const ChartWindowMakers* OpenChartWindows(const QString& title);
  // A chart window made: it follows the tables and takes the history keys.
  void Follow(QDialog* window, const ChartWindowMakers* charts);
  // Runs a command of the core between copying the fields in and showing them again.
  template <typename Command>
  void Run(Command command);
  void ReadFields();
  // Undo and Redo name the change they would take back or make again.
  void ShowHistory();
  // Changes with every change of the round table, the course table or the ratings.
  std::array<std::uint64_t, 3> Revisions() const;
  void ShowFields();
  // "Out", "In" and "Total" for what the grid's fields hold now.
  void ShowTotals();
  // File > Print Scorecard… and Save as PDF…: the card of the grid's course.
  void PrintScorecard(bool pdf);
  // Each column of the round list as wide as its widest cell or its heading, after a command
  // changed the rounds.
  void FitRoundListColumns();

  ScorecardServices services_;  // also the trends window's
  Controls controls_{};
  Menus menus_{};
  QSettings* placement_ = nullptr;
  std::unique_ptr<ViewTextMeasure> measure_;
  std::unique_ptr<Scorecard> core_;
  std::unique_ptr<ColumnWidthTracker> widths_;  // watches the core's round table
  // Revisions() when the round list's columns were last fitted.
  std::optional<std::array<std::uint64_t, 3>> fittedRevision_;
  RoundListModel* model_ = nullptr;
  QPointer<QDialog> trends_;  // made at first use, from the chart library
  QPointer<QDialog> handicap_;
  std::unique_ptr<PagePrinter> ownPrinter_;
  PagePrinter* printer_ = nullptr;
  std::array<int, kRoundColumns> shownWidths_{};
  // The widths of "Total" and "To par".
  std::array<int, 2> shownFigureWidths_{};
  bool destroyed_ = false;  // both files were saved for the last time, or given up
  bool closing_ = false;
  bool closed_ = false;  // the closing command saved everything: the fields are not shown again
  bool ending_ = false;  // the program ends: signals, logout, a lost display
  bool shown_ = false;
  int commandsRunning_ = 0;
  bool showingFields_ = false;
};

}  // namespace larkspin
