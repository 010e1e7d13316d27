#include "Scorecard.h"

#include <QDir>

#include "CourseFile.h"
#include "RatingsFile.h"
#include "ReportWalk.h"
#include "RoundFile.h"

namespace larkspin {

namespace {

QString DataFilePath(const QString& workDir, const char* name) {
  return QDir(workDir).filePath(QString::fromLatin1(name));
}

}  // namespace

Scorecard::Scorecard(ScorecardServices services, std::function<void()> showFormNow)
    : services_(std::move(services)),
      showFormNow_(std::move(showFormNow)),
      rounds_(DataFilePath(services_.workDir, kRoundFileName), history_),
      courses_(DataFilePath(services_.workDir, kCourseFileName), history_),
      ratings_(DataFilePath(services_.workDir, kRatingsFileName), history_) {
  courses_.SetNamesObserver(this);
  if (services_.journal) {
    journal_ = std::make_unique<SessionJournal>(
        services_.workDir,
        SessionJournal::Books{
            .rounds = rounds_, .courses = courses_, .ratings = &ratings_, .history = history_});
  }
}

Scorecard::~Scorecard() = default;

void Scorecard::OnInitDialog() {
  ShowForm();
  LoadRounds();
  LoadCourses();
  ratings_.Load();
  if (journal_) {
    ReadForm();
    journalNotice_ = journal_->Recover();
    UpdateRoundCount();
  }
  ClearGrid();
}

void Scorecard::TellJournalAtStart() {
  if (!journalNotice_.empty()) services_.prompter.ShowMessage(journalNotice_, kJournalTitle);
  journalNotice_.clear();
  TellJournalFailure();
}

void Scorecard::PrepareJournal() const {
  if (journal_) journal_->StartFingerprints();
}

void Scorecard::TellJournalFailure() {
  // A failure at start is told after the box about the journal found there.
  if (!journal_ || !journalNotice_.empty()) return;
  if (const std::optional<std::string> failure = journal_->TakeFailure()) {
    services_.prompter.ShowMessage(*failure, kJournalTitle);
  }
}

namespace {

// The round the fields show, as reading the form takes it.
RoundRecord ShownRound(const FormView& view) {
  FormValues shown;
  larkspin::ReadForm(view, shown);
  return std::move(shown.working);
}

}  // namespace

void Scorecard::Settle() {
  settled_ = ShownRound(view_);
}

bool Scorecard::HoldsTypedRound() const {
  return ShownRound(view_) != settled_;
}

bool Scorecard::ConfirmClose() {
  if (!HoldsTypedRound()) return true;
  return services_.prompter.Choose(kTypedRoundQuestion, kTypedRoundTitle,
                                   {kCloseWithoutAddingButton, kCloseCancelButton},
                                   /*defaultButton=*/1) == 0;
}

void Scorecard::NameAdded(const std::string& name) {
  view_.course.AddEntry(name);
}

void Scorecard::NamesAdded(const std::vector<std::string>& names) {
  view_.course.AddEntries(names);
}

void Scorecard::NameRemoved(int index) {
  view_.course.RemoveEntry(index);
}

void Scorecard::TellUnreadFiles() {
  std::string text;
  for (const DataFileKeeper* file : {&rounds_.File(), &courses_.File(), &ratings_.File()}) {
    if (file->WhollyRead()) continue;
    if (!text.empty()) text += "\r\n\r\n";
    text += file->Unread();
  }
  if (!text.empty()) services_.prompter.ShowMessage(text, kReadFailedTitle);
}

bool Scorecard::OnDestroy() {
  const FormValues values = values_;
  const FormView view = view_;
  // Each is tried, whatever becomes of the others: what can be saved is saved.
  const bool roundsSaved = SaveRounds();
  const bool coursesSaved = SaveCourses();
  const bool ratingsSaved = SaveRatings();
  // What a crash now would lose is kept in the journal, and nothing else is.
  if (journal_) {
    if (const std::optional<std::string> failure = journal_->AfterSaving()) {
      services_.prompter.ShowMessage(*failure, kJournalTitle);
    }
  }
  if (roundsSaved && coursesSaved && ratingsSaved) return true;
  if (services_.prompter.AskYesNoDefaultNo(kCloseAnywayQuestion, services_.appName)) return true;
  // The window stays open with every edit in place, so the user can free space or mend
  // permissions and close again.
  values_ = values;
  view_ = view;
  return false;
}

bool Scorecard::SaveRounds() {
  ReadForm();
  values_.roundCount = rounds_.Table().RowCount();
  const std::optional<std::string> failure = rounds_.Save();
  if (failure) TellSaveFailure(*failure);
  TellKeptFile(rounds_.File());
  ClearGrid();
  ShowForm();
  return !failure;
}

bool Scorecard::SaveCourses() {
  const std::optional<std::string> failure = courses_.Save();
  if (failure) TellSaveFailure(*failure);
  TellKeptFile(courses_.File());
  return !failure;
}

bool Scorecard::SaveRatings() {
  const std::optional<std::string> failure = ratings_.Save();
  if (failure) TellSaveFailure(*failure);
  TellKeptFile(ratings_.File());
  return !failure;
}

std::vector<std::string> Scorecard::SaveWithoutAsking() {
  std::vector<std::string> failures;
  for (auto failure : {rounds_.Save(), courses_.Save(), ratings_.Save()}) {
    if (failure) failures.push_back(std::move(*failure));
  }
  if (journal_) journal_->AfterSaving();
  return failures;
}

bool Scorecard::OnEndSession(const std::function<bool()>& mayAsk) {
  const std::vector<std::string> failures = SaveWithoutAsking();
  if (failures.empty() || !mayAsk()) return true;
  for (const auto& failure : failures)
    TellSaveFailure(failure);
  return services_.prompter.AskYesNoDefaultNo(kCloseAnywayQuestion, services_.appName);
}

void Scorecard::TellSaveFailure(const std::string& failure) {
  services_.prompter.ShowMessage(std::string(kSaveFailedMessage) + "\r\n" + failure,
                                 kSaveFailedTitle);
}

void Scorecard::TellKeptFile(const DataFileKeeper& file) {
  if (!file.KeptNotice().empty()) services_.prompter.ShowMessage(file.KeptNotice(), kKeptTitle);
}

void Scorecard::OnHelpButton() {
  if (!services_.helpPage.isEmpty()) services_.opener.OpenLocalFile(services_.helpPage);
}

void Scorecard::OnCourseReport() {
  WalkReport(&ReportWalk::OnCourseReport);
}

void Scorecard::OnOverallReport() {
  WalkReport(&ReportWalk::OnOverallReport);
}

void Scorecard::WalkReport(void (ReportWalk::*report)()) {
  ReadForm();
  const FormValues values = values_;
  const FormView view = view_;
  (ReportWalk(values_, view_, rounds_.Table(), courses_.Table(), services_).*report)();
  // The pages are made from the rounds walked through the form, which leaves the last one read in
  // the grid; the user gets back what the grid held, half-typed or not. Only the period stays as
  // the report left it.
  const std::string period = values_.period;
  DropDown periodBox = view_.period;
  values_ = values;
  view_ = view;
  values_.period = period;
  view_.period = std::move(periodBox);
}

void Scorecard::ReadForm() {
  larkspin::ReadForm(view_, values_);
}

void Scorecard::ShowForm() {
  larkspin::ShowForm(values_, view_);
}

void Scorecard::ClearGrid() {
  ReadForm();
  const std::string period = values_.period;
  const int roundCount = values_.roundCount;
  values_ = FormValues{};
  values_.period = period;
  values_.roundCount = roundCount;
  ShowForm();
  Settle();
}

void Scorecard::OnClickRoundList() {
  LoadRoundFromList(rounds_.SelectedRow());
  SelectCourse();
  Settle();
}

void Scorecard::UpdateRoundCount() {
  values_.roundCount = rounds_.Table().RowCount();
  ShowForm();
}

void Scorecard::LoadRoundFromList(int row) {
  ReadForm();
  values_.working = rounds_.Table().Row(row);
  ShowForm();
}

}  // namespace larkspin
