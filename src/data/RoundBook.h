#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ChangeHistory.h"
#include "DataFileKeeper.h"
#include "RoundTable.h"

namespace larkspin {

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

 private:
  void RowsInserted(int first, int last) override;
  void RowRemoved(int row) override;
  void RowsRemoved(const std::vector<int>& rows) override;
  void RowsReordered(const std::vector<int>& newRowOf) override;

  RoundTable table_;
  DataFileKeeper file_;
  ChangeHistory& history_;
  int selectedRow_ = -1;
};

}  // namespace larkspin
