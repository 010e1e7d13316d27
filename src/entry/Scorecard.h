#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ColumnWidths.h"
#include "CourseTable.h"
#include "DataFileKeeper.h"
#include "DiskFile.h"
#include "FormValues.h"
#include "RoundTable.h"
#include "Services.h"

namespace larkspin {

// The main window's behaviour, without the window: its form, the round and course tables, and
// every command. Each command reads the form, works on the values and shows the form again; the
// window copies what the user typed into View() before a command and shows View() after it.
class Scorecard final : private RoundTableObserver {
 public:
  // `measure` tells how wide a round list column must be for a text; `showFormNow` puts the form
  // on the screen in the middle of a command, as the wizard does between holes (otherwise the
  // window shows it when the command ends).
  Scorecard(ScorecardServices services, const TextMeasure& measure,
            std::function<void()> showFormNow = nullptr);
  ~Scorecard() override;
  Scorecard(const Scorecard&) = delete;
  Scorecard& operator=(const Scorecard&) = delete;

  FormView& View() { return view_; }
  const FormView& View() const { return view_; }
  const FormValues& Values() const { return values_; }
  RoundTable& Rounds() { return rounds_; }
  const RoundTable& Rounds() const { return rounds_; }
  const CourseTable& Courses() const { return courses_; }

  // The row "Update Score" and "Remove Score" act on, -1 for none. It stays with its round when
  // rows are added above it or reordered.
  int SelectedRow() const { return selectedRow_; }
  void SelectRow(int row);
  // Column widths as last fitted.
  int ColumnWidth(int column) const;

  // Opening and closing the window.
  void OnInitDialog();
  // Once the window shows: one box telling what of lks.dat and courses.dat was not read, if any.
  void TellUnreadFiles();
  // Saves both files, telling the user of each failure and then asking whether to close anyway.
  // True when the window may close; false leaves the form as it was before.
  bool OnDestroy();
  // Saves both files without touching the form or showing anything, for the end of a session;
  // what failed, as the lines that name the file and the reason.
  std::vector<std::string> SaveWithoutAsking();
  // The session is ending: saves like SaveWithoutAsking; when that fails and `mayAsk` allows it,
  // tells the user and asks whether to end anyway. False when the session should not end.
  bool OnEndSession(const std::function<bool()>& mayAsk);
  void OnHelpButton();

  // The form.
  void ReadForm();
  void ShowForm();
  void ClearGrid();
  void OnClickRoundList();

  // The round table.
  void SetUpRoundList();
  void FitRoundListColumns();
  void UpdateRoundCount();
  void LoadRoundFromList(int row);

  // lks.dat and the order of the rounds.
  void LoadRounds();
  // False after telling the user that lks.dat could not be written.
  bool SaveRounds();
  void OnColumnClickRounds(int column);
  void SortRoundsByColumn(int column);
  void ReverseRoundRows();

  // Adding, updating and removing rounds.
  void AddScore();
  void UpdateScore();
  void RemoveScore();
  bool IsDuplicateRound() const;

  // The "Date:" button.
  void OnDateButton();

  // "Course Report" and "Overall Report".
  void OnCourseReport();
  void OnOverallReport();

  // The "Wizard" button.
  void RunWizard();

  // Courses and courses.dat.
  void SetUpCourseTable();
  void AddCourse();
  void UpdateCourse();
  void RemoveCourse();
  void OnSelchangeCourse();
  void SelectCourse();
  bool IsDuplicateCourse() const;
  void LoadCourseRow(int row);
  void ClearPars();
  void LoadCourses();
  // False after telling the user that courses.dat could not be written.
  bool SaveCourses();

 private:
  QString DataFilePath(const char* name) const;
  // False after telling the user that the file could not be written.
  bool WriteDataFile(DataFileKeeper& file, std::uint64_t revision,
                     const std::function<bool(const ByteSink&)>& produce);
  void TellSaveFailure(const std::string& failure);
  CourseRecord CourseFromForm() const;
  bool AskToAddDuplicate();

  void RowsInserted(int first, int last) override;
  void RowRemoved(int row) override;
  void RowsReordered(const std::vector<int>& newRowOf) override;

  ScorecardServices services_;
  std::function<void()> showFormNow_;
  DataFileKeeper roundFile_;
  DataFileKeeper courseFile_;
  const TextMeasure& measure_;
  RoundTable rounds_;
  CourseTable courses_;
  FormValues values_;
  FormView view_;
  int selectedRow_ = -1;
  std::unique_ptr<ColumnWidthTracker> widths_;
  std::array<int, kRoundColumns> fittedWidths_{};
};

inline constexpr std::string_view kBlankCourseMessage = "Course Name Blank.\r\nNo entry added.";
inline constexpr std::string_view kErrorTitle = "Error";
inline constexpr std::string_view kDuplicateQuestion =
    "This entry is already in the list.\r\nDo you really want to add this item?";
inline constexpr std::string_view kSaveFailedMessage = "Save to File";
inline constexpr std::string_view kSaveFailedTitle = "Error Writing File";
inline constexpr std::string_view kReadFailedTitle = "Error Reading File";
inline constexpr std::string_view kCloseAnywayQuestion =
    "Not everything could be saved.\r\nClose anyway and lose the changes?";

}  // namespace larkspin
