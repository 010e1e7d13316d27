#include "RoundBook.h"

#include <algorithm>

#include "RoundFile.h"
#include "RoundOrdering.h"

namespace larkspin {

RoundBook::RoundBook(QString filePath, ChangeHistory& history)
    : file_(std::move(filePath), "round"), history_(history) {
  table_.AddObserver(this);
}

RoundBook::~RoundBook() {
  table_.RemoveObserver(this);
}

void RoundBook::Load() {
  SkippedContent skipped;
  RoundFileReader reader(&skipped);
  // Piece by piece: the file's bytes and the rounds made of them are never in memory together.
  const bool read = file_.ReadInPieces([&reader](std::string_view lines) { reader.Read(lines); });
  std::vector<PackedRound> rounds = reader.Finish();
  if (!read) {
    rounds.clear();  // a file read only in part counts as not read at all
    skipped = SkippedContent{};
  }
  const std::size_t count = rounds.size();
  // Each round read goes to the top, so the file's last round ends up in row 0.
  std::reverse(rounds.begin(), rounds.end());
  table_.InsertRowsAtTop(std::move(rounds));
  file_.Loaded(count, table_.Revision(), skipped, read && reader.InOwnForm());
}

std::optional<std::string> RoundBook::Save() {
  return file_.Write(table_.Revision(),
                     [this](const ByteSink& sink) { return WriteRoundFile(table_, sink); });
}

void RoundBook::Select(int row) {
  selectedRow_ = table_.HasRow(row) ? row : -1;
}

void RoundBook::SortByColumn(int column) {
  if (IsInAscendingOrder(table_, column)) {
    table_.Reverse();
  } else {
    table_.Reorder(AscendingOrder(table_, column));
  }
}

bool RoundBook::Reorder(const std::vector<int>& newRowOf) {
  if (static_cast<int>(newRowOf.size()) != table_.RowCount()) return false;
  std::vector<int> order(newRowOf.size(), -1);
  for (std::size_t old = 0; old < newRowOf.size(); ++old) {
    const int row = newRowOf[old];
    if (!table_.HasRow(row) || order[row] >= 0) return false;
    order[row] = static_cast<int>(old);
  }
  table_.Reorder(order);
  return true;
}

void RoundBook::Restore(std::vector<PackedRound> rows) {
  std::vector<RowId> ids(table_.RowCount());
  for (int row = 0; row < table_.RowCount(); ++row)
    ids[row] = table_.IdOf(row);
  table_.TakeRows(ids);
  table_.InsertRowsAtTop(std::move(rows));
}

void RoundBook::SortByNumbers(const std::vector<std::optional<int>>& numbers) {
  if (static_cast<int>(numbers.size()) != table_.RowCount()) return;
  if (IsInAscendingOrder(numbers)) {
    table_.Reverse();
  } else {
    table_.Reorder(AscendingOrder(numbers));
  }
}

// The selection follows its round, as the list's own selection does.
void RoundBook::RowsInserted(int first, int last) {
  if (selectedRow_ >= first) selectedRow_ += last - first + 1;
}

void RoundBook::RowRemoved(int row) {
  if (selectedRow_ == row) {
    selectedRow_ = -1;
  } else if (selectedRow_ > row) {
    --selectedRow_;
  }
}

void RoundBook::RowsRemoved(const std::vector<int>& rows) {
  if (selectedRow_ < 0) return;
  const auto above = std::lower_bound(rows.begin(), rows.end(), selectedRow_);
  if (above != rows.end() && *above == selectedRow_) {
    selectedRow_ = -1;
  } else {
    selectedRow_ -= static_cast<int>(above - rows.begin());
  }
}

// Every sort comes through here, whatever it sorts by.
void RoundBook::RowsReordered(const std::vector<int>& newRowOf) {
  if (selectedRow_ >= 0) selectedRow_ = newRowOf[selectedRow_];
  if (observer_) observer_->RoundsReordered(newRowOf);
}

}  // namespace larkspin
