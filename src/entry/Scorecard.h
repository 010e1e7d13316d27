#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ChangeHistory.h"
#include "CourseBook.h"
#include "FormValues.h"
#include "RatingsBook.h"
#include "RoundBook.h"
#include "RoundTotals.h"
#include "Services.h"
#include "SessionJournal.h"

class QIODevice;

namespace larkspin {

class ImportDialogue;
class ReportWalk;

// The main window's behaviour, without the window: its form and its commands over the round book
// and the course book. Each command reads the form, works on the values and shows the form
// again; the window copies what the user typed into View() before a command and shows View()
// after it.
class Scorecard final : private ChangeFocus, private CourseNamesObserver {
 public:
  // `showFormNow` puts the form on the screen in the middle of a command, as the wizard does
  // between holes (otherwise the window shows it when the command ends).
  explicit Scorecard(ScorecardServices services, std::function<void()> showFormNow = nullptr);
  ~Scorecard() override;
  Scorecard(const Scorecard&) = delete;
  Scorecard& operator=(const Scorecard&) = delete;

  FormView& View() { return view_; }
  const FormView& View() const { return view_; }
  const FormValues& Values() const { return values_; }
  RoundBook& Rounds() { return rounds_; }
  const RoundBook& Rounds() const { return rounds_; }
  CourseBook& Courses() { return courses_; }
  const CourseBook& Courses() const { return courses_; }
  const RatingsBook& Ratings() const { return ratings_; }
  const ChangeHistory& History() const { return history_; }

  // Opening and closing the window.
  void OnInitDialog();
  // Once the window shows: one box telling what of the data files was not read, if any.
  void TellUnreadFiles();
  // Once the window shows: one box telling what became of the journal of a session that ended
  // without saving, if there was one.
  void TellJournalAtStart();
  // After each command: when the journal could not keep a change, one box saying so, the first
  // time.
  void TellJournalFailure();
  // Soon after the window shows: the data files' fingerprints, which the journal's first change
  // needs, worked out beside the window.
  void PrepareJournal() const;
  // Whether the grid holds a round the user typed (the course, the date or a hole differs from
  // what the last command that showed a round or an empty grid left there) and not yet added.
  bool HoldsTypedRound() const;
  // Before the window closes: with a typed round in the grid, asks whether to close without
  // adding it. True when the window may close.
  bool ConfirmClose();
  // Saves the data files, telling the user of each failure and then asking whether to close
  // anyway.
  // True when the window may close; false leaves the form as it was before.
  bool OnDestroy();
  // Saves one file, telling the user when it could not be written; false then.
  bool SaveRounds();
  bool SaveCourses();
  bool SaveRatings();
  // Saves the data files without touching the form or showing anything, for the end of a session;
  // what failed, as the lines that name the file and the reason.
  std::vector<std::string> SaveWithoutAsking();
  // The session is ending: saves like SaveWithoutAsking; when that fails and `mayAsk` allows it,
  // tells the user and asks whether to end anyway. False when the session should not end.
  bool OnEndSession(const std::function<bool()>& mayAsk);
  void OnHelpButton();

  // The grid and the round list.
  void ClearGrid();
  // The user selected a row of the round list (-1: none), by mouse or keyboard.
  void SelectRow(int row) { rounds_.Select(row); }
  void OnClickRoundList();
  void OnColumnClickRounds(int column);
  // A click on the heading of a figure the list works out (a round's total): the rounds by it,
  // as a column's heading sorts them by the column.
  void OnFigureClickRounds(RoundFigure figure);

  // Adding, updating and removing rounds.
  void AddScore();
  void UpdateScore();
  void RemoveScore();

  // The "Date:" button.
  void OnDateButton();

  // "Course Report" and "Overall Report".
  void OnCourseReport();
  void OnOverallReport();

  // The "Wizard" button.
  void RunWizard();

  // The course selector and its buttons.
  void AddCourse();
  void UpdateCourse();
  void RemoveCourse();
  void OnSelchangeCourse();

  // Edit > "Course Ratings…": the ratings of every course name as the user leaves them in the
  // dialog, as one step of the history.
  void OnCourseRatings();

  // File > "Export Rounds…", "Export Courses…": the table as a CSV file the user chooses.
  void ExportRounds();
  void ExportCourses();
  // File > "Import Rounds…", "Import Courses…": the rows of a CSV file the user chooses, above
  // the table's, as one step of the history, after a question that tells what the import would
  // do. A file that cannot be read changes nothing.
  void ImportRounds();
  void ImportCourses();

  // Undo and Redo: the newest change of the rounds or courses taken back or made again; the
  // round or course it touched is then selected and shown.
  void Undo();
  void Redo();

 private:
  void ReadForm();
  void ShowForm();
  // What the grid shows now is no typed round: the point HoldsTypedRound() compares with.
  void Settle();
  // Walks the rounds through the form for a report, then gives the user the grid back.
  void WalkReport(void (ReportWalk::*report)());
  void UpdateRoundCount();
  void LoadRoundFromList(int row);
  void LoadRounds();
  void SortRoundsByColumn(int column);
  bool IsDuplicateRound() const;
  void SelectCourse();
  void LoadCourseRow(int row);
  void ClearPars();
  void LoadCourses();
  bool IsDuplicateCourse() const;
  CourseRecord CourseFromForm() const;
  // Writes a CSV export through `produce` to a file the user chooses.
  void Export(std::string_view title, const QString& suggestedName,
              const std::function<bool(const ByteSink&)>& produce);
  // Imports the CSV file the user chooses through `import`, telling what it cannot read.
  using ImportFrom =
      std::function<void(QIODevice& csv, const std::string& shownName, ImportDialogue& dialogue)>;
  void ImportFile(std::string_view title, const ImportFrom& import);
  bool AskToAddDuplicate();
  void TellSaveFailure(const std::string& failure);
  // Another program's version of the file, kept beside it by the last save.
  void TellKeptFile(const DataFileKeeper& file);
  void ShowChange(const Change* change);

  void ShowRound(RowId id, const PackedRound* gone) override;
  void ShowCourse(const std::string& name) override;
  // The course selector shows the course book's names.
  void NameAdded(const std::string& name) override;
  void NamesAdded(const std::vector<std::string>& names) override;
  void NameRemoved(int index) override;

  ScorecardServices services_;
  std::function<void()> showFormNow_;
  FormValues values_;
  FormView view_;
  ChangeHistory history_;
  RoundBook rounds_;
  CourseBook courses_;
  RatingsBook ratings_;
  std::unique_ptr<SessionJournal> journal_;  // watches the books: after them
  std::string journalNotice_;
  RoundRecord settled_;
};

inline constexpr std::string_view kBlankCourseMessage = "Course Name Blank.\r\nNo entry added.";
inline constexpr std::string_view kErrorTitle = "Error";
inline constexpr std::string_view kDuplicateQuestion =
    "This entry is already in the list.\r\nDo you really want to add this item?";
inline constexpr std::string_view kSaveFailedMessage = "Save to File";
inline constexpr std::string_view kSaveFailedTitle = "Error Writing File";
inline constexpr std::string_view kReadFailedTitle = "Error Reading File";
inline constexpr std::string_view kKeptTitle = "File Changed Outside Larkspin";
inline constexpr std::string_view kTypedRoundQuestion = "The round in the grid has not been added.";
inline constexpr std::string_view kTypedRoundTitle = "Larkspin";
inline constexpr std::string_view kCloseWithoutAddingButton = "Close Without Adding";
inline constexpr std::string_view kCloseCancelButton = "Cancel";
inline constexpr std::string_view kJournalTitle = "Larkspin";
inline constexpr std::string_view kCloseAnywayQuestion =
    "Not everything could be saved.\r\nClose anyway and lose the changes?";

}  // namespace larkspin
