#include "CourseBook.h"

#include <algorithm>
#include <utility>

#include "CourseFile.h"

namespace larkspin {

// The course selector's names and whoever shows them, changed together.
class CourseNames {
 public:
  explicit CourseNames(CourseBook& book) : book_(book) {}

  void Add(const std::string& name) {
    book_.names_.Add(name);
    if (book_.observer_) book_.observer_->NameAdded(name);
  }
  void AddMany(const std::vector<std::string>& names) {
    book_.names_.AddMany(names);
    if (book_.observer_) book_.observer_->NamesAdded(names);
  }
  // The first entry of that name.
  void Remove(const std::string& name) { RemoveAt(book_.names_.FindExact(name)); }
  void RemoveAt(int index) {
    if (index < 0) return;
    book_.names_.RemoveAt(index);
    if (book_.observer_) book_.observer_->NameRemoved(index);
  }

 private:
  CourseBook& book_;
};

namespace {

std::vector<std::string> NamesOf(const std::vector<CourseRecord>& courses) {
  std::vector<std::string> names;
  names.reserve(courses.size());
  for (const auto& course : courses)
    names.push_back(course[kCourseNameCell]);
  return names;
}

// The course table never reorders, so when a step is undone or redone every later step has been
// undone: the table stands as the step left it, and row numbers find its rows.

class CourseAdded final : public Change {
 public:
  CourseAdded(CourseTable& table, CourseNames names, std::string name)
      : table_(table), names_(names), name_(std::move(name)) {}
  void Undo() override {
    taken_ = table_.TakeRow(0);
    names_.Remove(name_);
  }
  void Redo() override {
    names_.Add(name_);
    table_.InsertAtTop(std::move(taken_));
  }
  void Focus(ChangeFocus& focus) const override { focus.ShowCourse(name_); }

 private:
  CourseTable& table_;
  CourseNames names_;
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
  CourseRemoved(CourseTable& table, CourseNames names, int row, CourseRecord taken)
      : table_(table), names_(names), row_(row), taken_(std::move(taken)) {}
  void Undo() override {
    names_.Add(taken_[kCourseNameCell]);
    table_.InsertRow(row_, taken_);
  }
  void Redo() override {
    taken_ = table_.TakeRow(row_);
    names_.Remove(taken_[kCourseNameCell]);
  }
  void Focus(ChangeFocus& focus) const override { focus.ShowCourse(taken_[kCourseNameCell]); }

 private:
  CourseTable& table_;
  CourseNames names_;
  int row_;
  CourseRecord taken_;  // its name is kept while done too, for the focus
};

class CoursesImported final : public Change {
 public:
  CoursesImported(CourseTable& table, CourseNames names, std::vector<std::string> imported)
      : table_(table), names_(names), imported_(std::move(imported)) {}
  void Undo() override {
    taken_.clear();
    for (const auto& name : imported_) {
      taken_.push_back(table_.TakeRow(0));
      names_.Remove(name);
    }
  }
  void Redo() override {
    names_.AddMany(imported_);
    table_.InsertRowsAtTop(std::move(taken_));
    taken_.clear();
  }
  void Focus(ChangeFocus& focus) const override { focus.ShowCourse(imported_.front()); }

 private:
  CourseTable& table_;
  CourseNames names_;
  std::vector<std::string> imported_;
  std::vector<CourseRecord> taken_;  // while undone
};

}  // namespace

CourseBook::CourseBook(QString filePath, ChangeHistory& history)
    : file_(std::move(filePath), "course"), history_(history) {}

CourseRecord CourseBook::Load() {
  CourseFileContents contents = ParseCourseFile(file_.Read());
  const std::size_t count = contents.courses.size();
  // As if each course had been added in turn, in one step: the file's last course on top.
  CourseNames(*this).AddMany(NamesOf(contents.courses));
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
  CourseNames(*this).Add(name);
  table_.InsertAtTop(std::move(course));
  history_.Record("Add Course",
                  std::make_unique<CourseAdded>(table_, CourseNames(*this), std::move(name)));
  if (changeObserver_) changeObserver_->CourseAdded();
}

bool CourseBook::Update(CourseRecord course) {
  const std::string& name = course[kCourseNameCell];
  // The oldest course of that name; selecting the name shows the newest.
  const int row = table_.FindLast(name);
  if (name.empty() || row < 0) return false;
  CourseRecord old = table_.Row(row);
  table_.SetRow(row, std::move(course));
  history_.Record("Update Course", std::make_unique<CourseUpdated>(table_, row, std::move(old)));
  if (changeObserver_) changeObserver_->CourseUpdated(row);
  return true;
}

bool CourseBook::Remove(const std::string& name) {
  const int entry = names_.FindExact(name);
  const int row = table_.FindFirst(name);
  if (entry < 0 || row < 0) return false;
  CourseNames(*this).RemoveAt(entry);
  CourseRecord taken = table_.TakeRow(row);
  history_.Record("Remove Course", std::make_unique<CourseRemoved>(table_, CourseNames(*this), row,
                                                                   std::move(taken)));
  if (changeObserver_) changeObserver_->CourseRemoved(name);
  return true;
}

void CourseBook::Import(std::vector<CourseRecord> courses) {
  if (courses.empty()) return;
  const int count = static_cast<int>(courses.size());
  std::vector<std::string> names = NamesOf(courses);
  CourseNames(*this).AddMany(names);
  table_.InsertRowsAtTop(std::move(courses));
  history_.Record("Import",
                  std::make_unique<CoursesImported>(table_, CourseNames(*this), std::move(names)));
  if (changeObserver_) changeObserver_->CoursesImported(count);
}

void CourseBook::Restore(std::vector<CourseRecord> rows) {
  CourseNames names(*this);
  for (int entry = names_.Count() - 1; entry >= 0; --entry)
    names.RemoveAt(entry);
  while (table_.RowCount() > 0)
    table_.TakeRow(table_.RowCount() - 1);
  names.AddMany(NamesOf(rows));
  table_.InsertRowsAtTop(std::move(rows));
}

}  // namespace larkspin
