// The course selector, its "Add", "Update" and "Remove" buttons, and courses.dat.
#include <algorithm>

#include "CourseFile.h"
#include "DiskFile.h"
#include "Scorecard.h"

namespace larkspin {

void Scorecard::SetUpCourseTable() {
  courses_ = CourseTable{};
}

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
  return courses_.Contains(values_.working[kCourseColumn], values_.working[kDateColumn]);
}

void Scorecard::AddCourse() {
  ReadForm();
  if (values_.working[kCourseColumn].empty()) {
    services_.prompter.ShowMessage(kBlankCourseMessage, kErrorTitle);
  } else if (!IsDuplicateCourse() || AskToAddDuplicate()) {
    view_.course.AddEntry(values_.working[kCourseColumn]);
    courses_.InsertAtTop(CourseFromForm());
  }
  ShowForm();
}

void Scorecard::UpdateCourse() {
  ReadForm();
  const std::string& name = values_.working[kCourseColumn];
  // The oldest course of that name; selecting the name shows the newest.
  if (const int row = courses_.FindLast(name); !name.empty() && row >= 0) {
    courses_.SetRow(row, CourseFromForm());
  }
  ShowForm();
}

void Scorecard::RemoveCourse() {
  ReadForm();
  // Only the course whose name the selector shows, so nothing the user cannot see goes.
  const std::string& name = values_.working[kCourseColumn];
  if (const int entry = view_.course.FindExact(name); entry >= 0) {
    view_.course.RemoveEntry(entry);
    courses_.RemoveRow(courses_.FindFirst(name));
  }
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
  if (const int row = courses_.FindFirst(values_.working[kCourseColumn]); row >= 0) {
    LoadCourseRow(row);
  }
  ShowForm();
}

void Scorecard::LoadCourseRow(int row) {
  if (!courses_.HasRow(row)) return;
  const CourseRecord& course = courses_.Row(row);
  values_.working[kCourseColumn] = course[kCourseNameCell];
  for (int hole = 1; hole <= kHoles; ++hole)
    values_.pars[hole - 1] = course[ParCell(hole)];
}

void Scorecard::ClearPars() {
  values_.pars = HoleTexts{};
}

void Scorecard::LoadCourses() {
  ReadForm();
  CourseFileContents contents = ParseCourseFile(courseFile_.Read());
  const std::size_t count = contents.courses.size();
  // As if each course had been appended in turn, in one step: the file's last course on top.
  std::vector<std::string> names;
  names.reserve(count);
  for (auto& course : contents.courses)
    names.push_back(course[kCourseNameCell]);
  view_.course.AddEntries(names);
  std::reverse(contents.courses.begin(), contents.courses.end());
  courses_.InsertRowsAtTop(std::move(contents.courses));
  courseFile_.Loaded(count, courses_.Revision());
  // The last record read stays in the form, as the pending course of the reader.
  const CourseRecord& last = contents.last;
  values_.working[kCourseColumn] = last[kCourseNameCell];
  values_.working[kDateColumn] = last[kCourseDateCell];
  for (int hole = 1; hole <= kHoles; ++hole) {
    values_.working[ScoreColumn(hole)] = last[ParCell(hole)];
  }
  ShowForm();
}

bool Scorecard::SaveCourses() {
  const std::string bytes = SerializeCourseFile(courses_);
  return WriteDataFile(courseFile_, courses_.Revision(),
                       [&bytes](const ByteSink& sink) { return sink(bytes); });
}

}  // namespace larkspin
