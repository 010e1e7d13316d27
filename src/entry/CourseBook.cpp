#include "CourseBook.h"

#include <algorithm>
#include <utility>

#include "CourseFile.h"

namespace larkspin {

namespace {

std::vector<std::string> NamesOf(const std::vector<CourseRecord>& courses) {
  std::vector<std::string> names;
  names.reserve(courses.size());
  for (const auto& course : courses)
    names.push_back(course[kCourseNameCell]);
  return names;
}

void RemoveEntryNamed(DropDown& selector, const std::string& name) {
  selector.RemoveEntry(selector.FindExact(name));
}

// The course table never reorders, so when a step is undone or redone every later step has been
// undone: the table stands as the step left it, and row numbers find its rows.

class CourseAdded final : public Change {
 public:
  CourseAdded(CourseTable& table, DropDown& selector, std::string name)
      : table_(table), selector_(selector), name_(std::move(name)) {}
  void Undo() override {
    taken_ = table_.TakeRow(0);
    RemoveEntryNamed(selector_, name_);
  }
  void Redo() override {
    selector_.AddEntry(name_);
    table_.InsertAtTop(std::move(taken_));
  }
  void Focus(ChangeFocus& focus) const override { focus.ShowCourse(name_); }

 private:
  CourseTable& table_;
  DropDown& selector_;
  std::string name_;
  CourseRecord taken_;  // while undone
};

// Holds the course's cells of the other side: the old ones while done, the new ones while undone.
class CourseUpdated final : public Change {
 public:
  CourseUpdated(CourseTable& table, int row, CourseRecord other)
      : table_(table), row_(row), other_(std::move(other)) {}
  void Undo() override { Exchange(); }
  void Redo() override { Exchange(); }
  void Focus(ChangeFocus& focus) const override {
    focus.ShowCourse(table_.Row(row_)[kCourseNameCell]);
  }

 private:
  void Exchange() {
    CourseRecord current = table_.Row(row_);
    table_.SetRow(row_, std::move(other_));
    other_ = std::move(current);
  }

  CourseTable& table_;
  int row_;
  CourseRecord other_;
};

class CourseRemoved final : public Change {
 public:
  CourseRemoved(CourseTable& table, DropDown& selector, int row, CourseRecord taken)
      : table_(table), selector_(selector), row_(row), taken_(std::move(taken)) {}
  void Undo() override {
    selector_.AddEntry(taken_[kCourseNameCell]);
    table_.InsertRow(row_, taken_);
  }
  void Redo() override {
    taken_ = table_.TakeRow(row_);
    RemoveEntryNamed(selector_, taken_[kCourseNameCell]);
  }
  void Focus(ChangeFocus& focus) const override { focus.ShowCourse(taken_[kCourseNameCell]); }

 private:
  CourseTable& table_;
  DropDown& selector_;
  int row_;
  CourseRecord taken_;  // its name is kept while done too, for the focus
};

class CoursesImported final : public Change {
 public:
  CoursesImported(CourseTable& table, DropDown& selector, std::vector<std::string> names)
      : table_(table), selector_(selector), names_(std::move(names)) {}
  void Undo() override {
    taken_.clear();
    for (std::size_t i = 0; i < names_.size(); ++i) {
      taken_.push_back(table_.TakeRow(0));
      RemoveEntryNamed(selector_, names_[i]);
    }
  }
  void Redo() override {
    selector_.AddEntries(names_);
    table_.InsertRowsAtTop(std::move(taken_));
    taken_.clear();
  }
  void Focus(ChangeFocus& focus) const override { focus.ShowCourse(names_.front()); }

 private:
  CourseTable& table_;
  DropDown& selector_;
  std::vector<std::string> names_;
  std::vector<CourseRecord> taken_;  // while undone
};

}  // namespace

CourseBook::CourseBook(QString filePath, DropDown& selector, ChangeHistory& history)
    : file_(std::move(filePath), "course"), selector_(selector), history_(history) {}

CourseRecord CourseBook::Load() {
  CourseFileContents contents = ParseCourseFile(file_.Read());
  const std::size_t count = contents.courses.size();
  // As if each course had been added in turn, in one step: the file's last course on top.
  selector_.AddEntries(NamesOf(contents.courses));
  std::reverse(contents.courses.begin(), contents.courses.end());
  table_.InsertRowsAtTop(std::move(contents.courses));
  file_.Loaded(count, table_.Revision(), contents.skipped);
  return std::move(contents.last);
}

std::optional<std::string> CourseBook::Save() {
  const std::string bytes = SerializeCourseFile(table_);
  return file_.Write(table_.Revision(), [&bytes](const ByteSink& sink) { return sink(bytes); });
}

void CourseBook::Add(CourseRecord course) {
  std::string name = course[kCourseNameCell];
  selector_.AddEntry(name);
  table_.InsertAtTop(std::move(course));
  history_.Record("Add Course", std::make_unique<CourseAdded>(table_, selector_, std::move(name)));
}

bool CourseBook::Update(CourseRecord course) {
  const std::string& name = course[kCourseNameCell];
  // The oldest course of that name; selecting the name shows the newest.
  const int row = table_.FindLast(name);
  if (name.empty() || row < 0) return false;
  CourseRecord old = table_.Row(row);
  table_.SetRow(row, std::move(course));
  history_.Record("Update Course", std::make_unique<CourseUpdated>(table_, row, std::move(old)));
  return true;
}

bool CourseBook::Remove(const std::string& name) {
  const int entry = selector_.FindExact(name);
  const int row = table_.FindFirst(name);
  if (entry < 0 || row < 0) return false;
  selector_.RemoveEntry(entry);
  CourseRecord taken = table_.TakeRow(row);
  history_.Record("Remove Course",
                  std::make_unique<CourseRemoved>(table_, selector_, row, std::move(taken)));
  return true;
}

void CourseBook::Import(std::vector<CourseRecord> courses) {
  if (courses.empty()) return;
  std::vector<std::string> names = NamesOf(courses);
  selector_.AddEntries(names);
  table_.InsertRowsAtTop(std::move(courses));
  history_.Record("Import", std::make_unique<CoursesImported>(table_, selector_, std::move(names)));
}

}  // namespace larkspin
