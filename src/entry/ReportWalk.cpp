#include "ReportWalk.h"

#include <QDir>
#include <algorithm>
#include <unordered_map>

#include "DiskFile.h"
#include "ReportPage.h"
#include "Scorecard.h"
#include "Sentence.h"

namespace larkspin {

namespace {

constexpr char kEternity[] = "Eternity";

ParTexts ViewsOf(const HoleTexts& texts) {
  ParTexts views;
  std::copy(texts.begin(), texts.end(), views.begin());
  return views;
}

// What showing a club text in a club box turns it into; the same for every box. Rounds repeat a
// handful of texts, so each is looked up once.
class ClubTextResolver {
 public:
  explicit ClubTextResolver(const DropDown& clubBox) : clubBox_(clubBox) {}

  // The entry index showing the text selects, -1 for none.
  int Match(std::string_view text) {
    if (text.empty()) return -1;
    if (const int club = ClubIndex(text); club >= 0) return club;  // the box lists them in order
    const auto [it, added] = memo_.try_emplace(text, -1);
    if (added) it->second = clubBox_.Match(text);
    return it->second;
  }

  std::string_view Shown(std::string_view text) {
    const int entry = Match(text);
    return entry >= 0 ? std::string_view(clubBox_.Entries()[entry]) : text;
  }

 private:
  const DropDown& clubBox_;
  std::unordered_map<std::string_view, int> memo_;  // keys point into the round table
};

}  // namespace

ReportWalk::ReportWalk(FormValues& values, FormView& view, const RoundTable& rounds,
                       const CourseTable& courses, const ScorecardServices& services)
    : values_(values), view_(view), rounds_(rounds), courses_(courses), services_(services) {}

std::string ReportWalk::ResolvedPeriod() const {
  const int entry = view_.period.Match(values_.period);
  return entry >= 0 ? view_.period.Entries()[entry] : values_.period;
}

bool ReportWalk::IsInPeriod(std::string_view dateText, ReportPeriod period) const {
  if (period == ReportPeriod::kEternity) return true;
  // Read for every round, as a report running over midnight at the month's end must.
  const QDate today = services_.clock.Today();
  return IsInReportPeriod(dateText, period, today.year(), today.month());
}

ParTexts ReportWalk::ParsOf(std::string_view course) const {
  ParTexts pars{};
  if (const int row = courses_.FindFirst(course); row >= 0) {
    const CourseRecord& record = courses_.Row(row);
    for (int hole = 1; hole <= kHoles; ++hole)
      pars[hole - 1] = record[ParCell(hole)];
  }
  return pars;
}

template <typename Loaded>
void ReportWalk::ReplayClubSelections(int lastRow, Loaded loaded) {
  // Only the last recognised text of each box counts, so walk back from the end and stop as
  // soon as every box has found one.
  ClubTextResolver resolver(view_.clubs[0]);
  std::array<bool, kHoles> settled{};
  int open = kHoles;
  for (int row = lastRow; row >= 0 && open > 0; --row) {
    if (!loaded(row)) continue;
    const RoundCells cells = rounds_.Cells(row);
    for (int hole = 1; hole <= kHoles; ++hole) {
      if (settled[hole - 1]) continue;
      const std::string_view club = cells[ClubColumn(hole)];
      if (resolver.Match(club) < 0) continue;
      view_.clubs[hole - 1].Show(club);
      settled[hole - 1] = true;
      --open;
    }
  }
}

void ReportWalk::OnCourseReport() {
  ReadForm(view_, values_);
  if (values_.working[kCourseColumn].empty()) {
    services_.prompter.ShowMessage(kNoReportCourseMessage, kErrorTitle);
    return;
  }
  if (values_.period.empty()) {
    values_.period = kEternity;
    ShowForm(values_, view_);
  }
  const std::string course = values_.working[kCourseColumn];
  // The course's own pars, not those of whatever was picked before a name was typed.
  const ParTexts pars = ParsOf(course);
  // Every round is tested against the period as the box shows it, the first one included.
  const std::string periodText = ResolvedPeriod();
  const ReportPeriod period = ReportPeriodOf(periodText);

  ReportPage page = ReportPage::ForCourse(course);
  ReportStatistics statistics;
  int courseRounds = 0;
  for (int row = 0; row < rounds_.RowCount(); ++row)
    courseRounds += rounds_.Cell(row, kCourseColumn) == course ? 1 : 0;
  page.Reserve(static_cast<std::size_t>(courseRounds));
  int lastLoaded = -1;
  for (int row = 0; row < rounds_.RowCount(); ++row) {
    if (rounds_.Cell(row, kCourseColumn) != course) continue;
    lastLoaded = row;
    const RoundCells round = rounds_.Cells(row);
    if (!IsInPeriod(round[kDateColumn], period)) continue;
    AddRoundToStatistics(statistics, round, pars);
    page.AppendRoundRow(round);
  }

  // The form as loading the report course's rounds one by one leaves it: the last one in the
  // grid, the period as the box shows it, the pars untouched.
  if (lastLoaded >= 0) {
    ReplayClubSelections(lastLoaded, [this, &course](int row) {
      return rounds_.Cell(row, kCourseColumn) == course;
    });
    values_.working = rounds_.Row(lastLoaded);
    values_.period = periodText;
    ShowForm(values_, view_);
  }
  WriteReport(std::move(page).Finish(statistics, pars));
  ShowForm(values_, view_);
}

void ReportWalk::OnOverallReport() {
  ReadForm(view_, values_);
  if (values_.period.empty()) {
    values_.period = kEternity;
    ShowForm(values_, view_);
  }
  ReportPage page = ReportPage::Overall();
  ReportStatistics statistics;
  if (rounds_.RowCount() == 0) {
    WriteReport(std::move(page).Finish(statistics, ViewsOf(values_.pars)));
    ShowForm(values_, view_);
    return;
  }

  const std::string periodText = ResolvedPeriod();
  const ReportPeriod period = ReportPeriodOf(periodText);
  page.Reserve(static_cast<std::size_t>(rounds_.RowCount()));

  // Each round is judged by the course the selector turns its name into: the first entry that
  // begins with it, or, when none does, the round's own course.
  struct ResolvedCourse {
    int entry;  // the selector's entry, -1 for none
    std::string_view name;
    ParTexts pars;
  };
  std::unordered_map<std::string_view, ResolvedCourse> courses;
  const auto resolveCourse = [&](std::string_view name) -> const ResolvedCourse& {
    const auto [it, added] = courses.try_emplace(name);
    if (added) {
      ResolvedCourse& resolved = it->second;
      resolved.entry = view_.course.Match(name);
      resolved.name =
          resolved.entry >= 0 ? std::string_view(view_.course.Entries()[resolved.entry]) : name;
      resolved.pars = ParsOf(resolved.name);
    }
    return it->second;
  };
  ClubTextResolver clubs(view_.clubs[0]);

  const int lastRow = rounds_.RowCount() - 1;
  for (int row = 0; row <= lastRow; ++row) {
    RoundCells round = rounds_.Cells(row);
    const ResolvedCourse& course = resolveCourse(round[kCourseColumn]);
    if (!IsInPeriod(round[kDateColumn], period)) continue;
    // The round is counted as the form holds it after showing it: club texts as the club boxes
    // turned them into entries ("d" is the driver).
    round[kCourseColumn] = course.name;
    for (int hole = 1; hole <= kHoles; ++hole)
      round[ClubColumn(hole)] = clubs.Shown(round[ClubColumn(hole)]);
    AddRoundToStatistics(statistics, round, course.pars);
    page.AppendRoundRow(round);
  }

  // The form as showing every round in turn leaves it: the bottom round in the grid, judged by
  // its course, and each drop-down box on the entry its last recognised text picked.
  for (int row = lastRow; row >= 0; --row) {
    const std::string_view name = rounds_.Cell(row, kCourseColumn);
    if (resolveCourse(name).entry >= 0) {
      view_.course.Show(name);
      break;
    }
  }
  ReplayClubSelections(lastRow, [](int) { return true; });
  const ResolvedCourse& bottom = resolveCourse(rounds_.Cell(lastRow, kCourseColumn));
  values_.working = rounds_.Row(lastRow);
  values_.working[kCourseColumn] = bottom.name;
  const DropDown& clubBox = view_.clubs[0];
  for (int hole = 1; hole <= kHoles; ++hole) {
    std::string& club = values_.working[ClubColumn(hole)];
    if (const int entry = clubBox.Match(club); entry >= 0) club = clubBox.Entries()[entry];
    values_.pars[hole - 1] = bottom.pars[hole - 1];
  }
  values_.period = periodText;
  ShowForm(values_, view_);

  WriteReport(std::move(page).Finish(statistics, bottom.pars));
  ShowForm(values_, view_);
}

void ReportWalk::WriteReport(const std::string& document) {
  const QString path =
      QDir(services_.workDir).absoluteFilePath(QString::fromLatin1(kReportFileName));
  // Written beside the old page and renamed over it, so a failure leaves the old page whole.
  if (QString error; !WriteFileAtomically(path, document, &error)) {
    services_.prompter.ShowMessage(
        std::string(kReportFailedMessage) + "\r\n" +
            EndSentence(QDir::toNativeSeparators(path).toStdString() + ": " + error.toStdString()),
        kReportFailedTitle);
    return;
  }
  services_.opener.OpenLocalFile(path);
}

}  // namespace larkspin
