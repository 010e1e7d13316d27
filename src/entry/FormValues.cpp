#include "FormValues.h"

#include <iterator>

#include "ClubCode.h"

namespace larkspin {

DropDown MakeClubBox() {
  return DropDown(DropDown::Order::kFixed,
                  std::vector<std::string>(std::begin(kClubCodes), std::end(kClubCodes)));
}

FormView::FormView()
    : course(DropDown::Order::kAlphabetical),
      period(DropDown::Order::kFixed,
             std::vector<std::string>(std::begin(kPeriodEntries), std::end(kPeriodEntries))) {
  for (auto& club : clubs)
    club = MakeClubBox();
}

void ReadForm(const FormView& view, FormValues& values) {
  auto& working = values.working;
  working[kCourseColumn] = view.course.Text();
  working[kDateColumn] = view.date;
  for (int hole = 1; hole <= kHoles; ++hole) {
    const int i = hole - 1;
    values.pars[i] = view.pars[i];
    working[ScoreColumn(hole)] = view.scores[i];
    working[DriveColumn(hole)] = view.drives[i];
    working[ClubColumn(hole)] = view.clubs[i].Text();
    working[PuttsColumn(hole)] = view.putts[i];
  }
  values.period = view.period.Text();
  values.roundCount = view.roundCount;
}

void ShowForm(const FormValues& values, FormView& view) {
  const auto& working = values.working;
  view.course.Show(working[kCourseColumn]);
  view.date = working[kDateColumn];
  for (int hole = 1; hole <= kHoles; ++hole) {
    const int i = hole - 1;
    view.pars[i] = values.pars[i];
    view.scores[i] = working[ScoreColumn(hole)];
    view.drives[i] = working[DriveColumn(hole)];
    view.clubs[i].Show(working[ClubColumn(hole)]);
    view.putts[i] = working[PuttsColumn(hole)];
  }
  view.period.Show(values.period);
  view.roundCount = values.roundCount;
}

}  // namespace larkspin
