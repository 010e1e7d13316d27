#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ChangeHistory.h"
#include "CourseNameList.h"
#include "CourseTable.h"
#include "DataFileKeeper.h"

namespace larkspin {

// Told of every change of the course selector's names, so a drop-down showing them can follow.
class CourseNamesObserver {
 public:
  virtual ~CourseNamesObserver() = default;
  virtual void NameAdded(const std::string& name) = 0;
  virtual void NamesAdded(const std::vector<std::string>& names) = 0;
  virtual void NameRemoved(int index) = 0;
};

// Told of each change of the course book once it is made, with what making it again takes, so
// that the journal can keep it.
class CourseChangeObserver {
 public:
  virtual ~CourseChangeObserver() = default;
  // The new course is row 0.
  virtual void CourseAdded() = 0;
  virtual void CourseUpdated(int row) = 0;
  virtual void CourseRemoved(const std::string& name) = 0;
  // The courses imported are rows 0 to count - 1.
  virtual void CoursesImported(int count) = 0;
};

// The courses: the course table, courses.dat, and the course selector's names, one for each row,
// in the selector's order. Adding, updating, removing and importing courses are steps of the
// history, so they can be undone.
class CourseBook {
 public:
  CourseBook(QString filePath, ChangeHistory& history);
  CourseBook(const CourseBook&) = delete;
  CourseBook& operator=(const CourseBook&) = delete;

  const CourseTable& Table() const { return table_; }
  const DataFileKeeper& File() const { return file_; }
  // The course selector's entries.
  const std::vector<std::string>& Names() const { return names_.Names(); }
  void SetNamesObserver(CourseNamesObserver* observer) { observer_ = observer; }
  void SetChangeObserver(CourseChangeObserver* observer) { changeObserver_ = observer; }
  // Whether Load() also takes courses.dat's fingerprint, for the journal.
  void SetFingerprinted(bool on) { file_.SetFingerprinted(on); }

  // Reads courses.dat, the file's last course on top, each name an entry of the selector; an
  // empty file is made where there is none. Returns the last record read, even one whose name is
  // empty, as the reader leaves it pending.
  CourseRecord Load();
  // Writes the table to courses.dat, unless the file was not read in full and nothing changed.
  // The line that tells the user what failed, the file and the reason, if it failed.
  std::optional<std::string> Save();

  // "Add Course": the course as the new top row, its name an entry of the selector.
  void Add(CourseRecord course);
  // "Update Course": the course's cells over the oldest row of its name; false when no row has
  // that name.
  bool Update(CourseRecord course);
  // "Remove Course": the entry equal to `name` and the newest row of that name; false when no
  // entry is equal to it.
  bool Remove(const std::string& name);
  // "Import": the courses above the top row, in their order, their names entries of the
  // selector.
  void Import(std::vector<CourseRecord> courses);

  // Every row in place of the table's, and their names in place of the selector's, as the journal
  // kept them; no step of the history.
  void Restore(std::vector<CourseRecord> rows);

 private:
  friend class CourseNames;

  CourseTable table_;
  DataFileKeeper file_;
  CourseNameList names_;
  CourseNamesObserver* observer_ = nullptr;
  CourseChangeObserver* changeObserver_ = nullptr;
  ChangeHistory& history_;
};

}  // namespace larkspin
