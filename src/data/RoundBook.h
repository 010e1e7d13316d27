#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ChangeHistory.h"
#include "DataFileKeeper.h"
#include "RoundTable.h"

namespace larkspin {

// Told of each change of the round book once it is made, with what making it again takes, so that
// the journal can keep it.
class RoundChangeObserver {
 public:
  virtual ~RoundChangeObserver() = default;
  // The new round is row 0.
  virtual void RoundAdded() = 0;
  virtual void RoundUpdated(int row) = 0;
  virtual void RoundRemoved(int row) = 0;
  // The rounds imported are rows 0 to count - 1.
  virtual void RoundsImported(int count) = 0;
  // The rows were sorted: the row that stood at `old` stands at newRowOf[old].
  virtual void RoundsReordered(const std::vector<int>& newRowOf) = 0;
};

// The rounds of the main window: the round table, lks.dat and the row the user selected. Every
// change of the rows is one step of the history, so it can be
// undone; sorting is not a step.
class RoundBook final : private RoundTableObserver {
 public:
  RoundBook(QString filePath, ChangeHistory& history);
  ~RoundBook() override;
  RoundBook(const RoundBook&) = delete;
  RoundBook& operator=(const RoundBook&) = delete;

  const RoundTable& Table() const { return table_; }
  const DataFileKeeper& File() const { return file_; }
  // Whether Load() also takes lks.dat's fingerprint, for the journal.
  void SetFingerprinted(bool on) { file_.SetFingerprinted(on); }
  void SetChangeObserver(RoundChangeObserver* observer) { observer_ = observer; }

  // Reads lks.dat, the file's last round on top; an empty file is made where there is none.
  void Load();
  // Writes the table to lks.dat, unless the file was not read in full and nothing changed. The
  // line that tells the user what failed, the file and the reason, if it failed.
  std::optional<std::string> Save();

  // The row "Update Score" and "Remove Score" act on, -1 for none. It stays with its round when
  // rows are added above it or reordered.
  int SelectedRow() const { return selectedRow_; }
  void Select(int row);

  // "Add Score": the round as the new top row.
  void Add(const RoundRecord& round);
  // "Update Score": the round's cells over the row's; nothing for a row not in the table.
  void Update(int row, const RoundRecord& round);
  // "Remove Score"; nothing for a row not in the table.
  void Remove(int row);
  // "Import": the rounds above the top row, in their order.
  void Import(std::vector<PackedRound> rounds);

  // The column's texts in ascending byte order, equal ones keeping their order; a table already
  // in that order is reversed instead.
  void SortByColumn(int column);
  // The rows put where a sort put them: the row at `old` to newRowOf[old]. False, and nothing
  // moves, when that is not an order of the table's rows.
  bool Reorder(const std::vector<int>& newRowOf);

  // Every row in place of the table's, as the journal kept them; no step of the history.
  void Restore(std::vector<PackedRound> rows);

  // As SortByColumn, by a number worked out for each row (a round's total, say), numbers[row]: by
  // value, rows without one last.
  void SortByNumbers(const std::vector<std::optional<int>>& numbers);

 private:
  void RowsInserted(int first, int last) override;
  void RowRemoved(int row) override;
  void RowsRemoved(const std::vector<int>& rows) override;
  void RowsReordered(const std::vector<int>& newRowOf) override;

  RoundTable table_;
  DataFileKeeper file_;
  ChangeHistory& history_;
  RoundChangeObserver* observer_ = nullptr;
  int selectedRow_ = -1;
};

}  // namespace larkspin
