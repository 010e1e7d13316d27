#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ChangeHistory.h"
#include "DataFileKeeper.h"
#include "RatingsTable.h"

namespace larkspin {

// Told of each change of the ratings once it is made, with what making it again takes, so that the
// journal can keep it.
class RatingsChangeObserver {
 public:
  virtual ~RatingsChangeObserver() = default;
  // Replace() changed the table with these rows.
  virtual void RatingsReplaced(const std::vector<RatingRecord>& shown) = 0;
};

// The course ratings of the main window: the ratings table and ratings.dat, read when the window
// opens and written when it closes under the rules of the other data files (see DataFileKeeper).
// A missing ratings.dat is no ratings; it is not made until there is something to keep.
class RatingsBook {
 public:
  RatingsBook(QString filePath, ChangeHistory& history);
  RatingsBook(const RatingsBook&) = delete;
  RatingsBook& operator=(const RatingsBook&) = delete;

  const RatingsTable& Table() const { return table_; }
  const DataFileKeeper& File() const { return file_; }
  // Whether Load() also takes ratings.dat's fingerprint, for the journal.
  void SetFingerprinted(bool on) { file_.SetFingerprinted(on); }
  void SetChangeObserver(RatingsChangeObserver* observer) { observer_ = observer; }

  // Reads ratings.dat into the table. What could not be read is in File().Unread().
  void Load();
  // Writes the table to ratings.dat, unless the file was not read in full and nothing changed, or
  // there was no file and nothing changed. The line that tells the user what failed, the file and
  // the reason, if it failed.
  std::optional<std::string> Save();

  // "OK" of the "Course Ratings" dialog: `shown` holds a row per course name the dialog showed,
  // as typed. Every record of those names gives way to its row, trimmed (see TrimmedRating); a
  // row with no ratings leaves no record. Records of other names stay. One step of the history,
  // "Course Ratings"; none, and false, when nothing changes. Rows are taken as they come: the
  // dialog checks them first (see RatingProblem).
  bool Replace(const std::vector<RatingRecord>& shown);

  // Every row in place of the table's, in their order, as the journal kept them; no step of the
  // history.
  void Restore(std::vector<RatingRecord> rows);

 private:
  RatingsTable table_;
  DataFileKeeper file_;
  ChangeHistory& history_;
  RatingsChangeObserver* observer_ = nullptr;
};

}  // namespace larkspin
