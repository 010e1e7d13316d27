// The course selector and its "Add", "Update" and "Remove" buttons, and the courses' ratings.
#include "RatingRows.h"
#include "Scorecard.h"
#include "StorableText.h"

namespace larkspin {

CourseRecord Scorecard::CourseFromForm() const {
  CourseRecord course;
  course[kCourseNameCell] = values_.working[kCourseColumn];
  course[kCourseDateCell] = values_.working[kDateColumn];
  for (int hole = 1; hole <= kHoles; ++hole) {
    course[ParCell(hole)] = values_.working[ScoreColumn(hole)];
  }
  return course;
}

bool Scorecard::IsDuplicateCourse() const {
  return courses_.Table().Contains(values_.working[kCourseColumn], values_.working[kDateColumn]);
}

void Scorecard::AddCourse() {
  ReadForm();
  MakeStorable(values_.working);
  if (values_.working[kCourseColumn].empty()) {
    services_.prompter.ShowMessage(kBlankCourseMessage, kErrorTitle);
  } else if (!IsDuplicateCourse() || AskToAddDuplicate()) {
    courses_.Add(CourseFromForm());
  }
  ShowForm();
}

void Scorecard::UpdateCourse() {
  ReadForm();
  MakeStorable(values_.working);
  courses_.Update(CourseFromForm());
  ShowForm();
}

void Scorecard::RemoveCourse() {
  ReadForm();
  // Only the course whose name the selector shows, so nothing the user cannot see goes.
  courses_.Remove(values_.working[kCourseColumn]);
  ShowForm();
}

void Scorecard::OnSelchangeCourse() {
  ReadForm();
  if (const int entry = view_.course.Selected(); entry >= 0) {
    values_.working[kCourseColumn] = view_.course.Entries()[entry];
  }
  ShowForm();
  SelectCourse();
}

void Scorecard::SelectCourse() {
  ReadForm();
  ClearPars();
  if (const int row = courses_.Table().FindFirst(values_.working[kCourseColumn]); row >= 0) {
    LoadCourseRow(row);
  }
  ShowForm();
}

void Scorecard::LoadCourseRow(int row) {
  const CourseTable& table = courses_.Table();
  if (!table.HasRow(row)) return;
  const CourseRecord& course = table.Row(row);
  values_.working[kCourseColumn] = course[kCourseNameCell];
  for (int hole = 1; hole <= kHoles; ++hole)
    values_.pars[hole - 1] = course[ParCell(hole)];
}

void Scorecard::ClearPars() {
  values_.pars = HoleTexts{};
}

void Scorecard::LoadCourses() {
  ReadForm();
  // The last record read stays in the form, as the pending course of the reader.
  const CourseRecord last = courses_.Load();
  values_.working[kCourseColumn] = last[kCourseNameCell];
  values_.working[kDateColumn] = last[kCourseDateCell];
  for (int hole = 1; hole <= kHoles; ++hole) {
    values_.working[ScoreColumn(hole)] = last[ParCell(hole)];
  }
  ShowForm();
}

void Scorecard::OnCourseRatings() {
  ReadForm();
  // The dialog let "OK" through only with every row valid or empty.
  if (const auto typed =
          services_.ratingsEditor.EditRatings(RatingRows(courses_.Table(), ratings_.Table()))) {
    ratings_.Replace(*typed);
  }
  ShowForm();
}

}  // namespace larkspin
