#include "RatingsBook.h"

#include <algorithm>
#include <set>
#include <utility>

#include "RatingsFile.h"

namespace larkspin {

namespace {

struct PlacedRating {
  int row = 0;
  RatingRecord record;
};

// The rows a "Course Ratings" step changed: while done, `current` names the rows it put in the
// table and `other` holds the rows it took out, with the rows they stood at; undoing exchanges
// the two. When a step is undone or redone every later step has been undone, so the table stands
// as the step left it and rows find the records.
class RatingsReplaced final : public Change {
 public:
  RatingsReplaced(RatingsTable& table, std::vector<int> current, std::vector<PlacedRating> other)
      : table_(table), current_(std::move(current)), other_(std::move(other)) {}
  void Undo() override { Exchange(); }
  void Redo() override { Exchange(); }
  // Nothing of the main window shows ratings.
  void Focus(ChangeFocus&) const override {}

 private:
  void Exchange() {
    std::vector<PlacedRating> taken(current_.size());
    for (std::size_t i = current_.size(); i-- > 0;)  // the lowest last, so rows stay put
      taken[i] = {current_[i], table_.TakeRow(current_[i])};
    current_.clear();
    for (PlacedRating& placed : other_) {  // the highest last, each at the row it will keep
      table_.InsertRow(placed.row, std::move(placed.record));
      current_.push_back(placed.row);
    }
    other_ = std::move(taken);
  }

  RatingsTable& table_;
  std::vector<int> current_;         // ascending
  std::vector<PlacedRating> other_;  // ascending rows
};

}  // namespace

RatingsBook::RatingsBook(QString filePath, ChangeHistory& history)
    : file_(std::move(filePath), "rating", DataFileKeeper::Missing::kLeave), history_(history) {}

void RatingsBook::Load() {
  RatingsFileContents contents = ParseRatingsFile(file_.Read());
  const std::size_t count = contents.ratings.size();
  for (RatingRecord& record : contents.ratings)
    table_.Insert(std::move(record));
  file_.Loaded(count, table_.Revision(), contents.skipped);
}

std::optional<std::string> RatingsBook::Save() {
  const std::string bytes = SerializeRatingsFile(table_);
  return file_.Write(table_.Revision(), [&bytes](const ByteSink& sink) { return sink(bytes); });
}

bool RatingsBook::Replace(const std::vector<RatingRecord>& shown) {
  std::set<std::string, std::less<>> names;
  std::vector<RatingRecord> incoming;
  for (const RatingRecord& row : shown) {
    if (!names.insert(row[kRatingCourseCell]).second) continue;  // the dialog's first row counts
    RatingRecord trimmed = TrimmedRating(row);
    if (!HoldsNoRating(trimmed)) incoming.push_back(std::move(trimmed));
  }
  // Nothing changes when each name keeps exactly the record it has.
  const bool same = std::all_of(names.begin(), names.end(), [&](const std::string& name) {
    std::vector<const RatingRecord*> held;
    for (int row = 0; row < table_.RowCount(); ++row) {
      if (table_.Row(row)[kRatingCourseCell] == name) held.push_back(&table_.Row(row));
    }
    const auto given = std::find_if(incoming.begin(), incoming.end(), [&](const RatingRecord& r) {
      return r[kRatingCourseCell] == name;
    });
    if (given == incoming.end()) return held.empty();
    return held.size() == 1 && *held.front() == *given;
  });
  if (same) return false;

  std::vector<PlacedRating> taken;
  for (int row = 0; row < table_.RowCount();) {
    if (names.count(table_.Row(row)[kRatingCourseCell]) != 0) {
      taken.push_back({row + static_cast<int>(taken.size()), table_.TakeRow(row)});
    } else {
      ++row;
    }
  }
  std::vector<int> added;
  for (RatingRecord& record : incoming) {
    const int row = table_.Insert(std::move(record));
    // Rows below a new one move down.
    for (int& other : added) {
      if (other >= row) ++other;
    }
    added.push_back(row);
  }
  std::sort(added.begin(), added.end());
  history_.Record("Course Ratings",
                  std::make_unique<RatingsReplaced>(table_, std::move(added), std::move(taken)));
  if (observer_) observer_->RatingsReplaced(shown);
  return true;
}

void RatingsBook::Restore(std::vector<RatingRecord> rows) {
  while (table_.RowCount() > 0)
    table_.TakeRow(table_.RowCount() - 1);
  for (std::size_t row = 0; row < rows.size(); ++row)
    table_.InsertRow(static_cast<int>(row), std::move(rows[row]));
}

}  // namespace larkspin
