// The four changes of the round table, as steps of the history. A step finds its rounds by their
// ids, wherever a sort has moved them since, and keeps only the cells the table no longer holds.
#include <optional>
#include <utility>

#include "RoundBook.h"

namespace larkspin {

namespace {

class RoundAdded final : public Change {
 public:
  RoundAdded(RoundTable& table, RowId id) : table_(table), id_(id) {}
  void Undo() override { taken_ = table_.TakeRow(table_.RowOf(id_)); }
  void Redo() override {
    table_.InsertRow(0, std::move(*taken_), id_);
    taken_.reset();
  }
  void Focus(ChangeFocus& focus) const override {
    focus.ShowRound(id_, taken_ ? &*taken_ : nullptr);
  }

 private:
  RoundTable& table_;
  RowId id_;
  std::optional<PackedRound> taken_;  // while undone
};

// Holds the round's cells of the other side: the old ones while done, the new ones while undone.
class RoundUpdated final : public Change {
 public:
  RoundUpdated(RoundTable& table, RowId id, PackedRound other)
      : table_(table), id_(id), other_(std::move(other)) {}
  void Undo() override { table_.ExchangeRow(table_.RowOf(id_), other_); }
  void Redo() override { table_.ExchangeRow(table_.RowOf(id_), other_); }
  void Focus(ChangeFocus& focus) const override { focus.ShowRound(id_, nullptr); }

 private:
  RoundTable& table_;
  RowId id_;
  PackedRound other_;
};

class RoundRemoved final : public Change {
 public:
  RoundRemoved(RoundTable& table, int row, RowId id, PackedRound taken)
      : table_(table), row_(row), id_(id), taken_(std::move(taken)) {}
  // Back where it stood, whatever a sort has done to the others since.
  void Undo() override {
    table_.InsertRow(row_, std::move(*taken_), id_);
    taken_.reset();
  }
  void Redo() override { taken_ = table_.TakeRow(table_.RowOf(id_)); }
  void Focus(ChangeFocus& focus) const override {
    focus.ShowRound(id_, taken_ ? &*taken_ : nullptr);
  }

 private:
  RoundTable& table_;
  int row_;
  RowId id_;
  std::optional<PackedRound> taken_;  // while done
};

class RoundsImported final : public Change {
 public:
  RoundsImported(RoundTable& table, std::vector<RowId> ids) : table_(table), ids_(std::move(ids)) {}
  void Undo() override { taken_ = table_.TakeRows(ids_); }
  void Redo() override {
    table_.InsertRowsAtTop(std::move(taken_), ids_);
    taken_.clear();
  }
  void Focus(ChangeFocus& focus) const override {
    focus.ShowRound(ids_.front(), taken_.empty() ? nullptr : &taken_.front());
  }

 private:
  RoundTable& table_;
  std::vector<RowId> ids_;
  std::vector<PackedRound> taken_;  // while undone
};

}  // namespace

void RoundBook::Add(const RoundRecord& round) {
  table_.InsertRow(0, round);
  history_.Record("Add Score", std::make_unique<RoundAdded>(table_, table_.IdOf(0)));
  if (observer_) observer_->RoundAdded();
}

void RoundBook::Update(int row, const RoundRecord& round) {
  if (!table_.HasRow(row)) return;
  PackedRound cells(round);
  table_.ExchangeRow(row, cells);
  history_.Record("Update Score",
                  std::make_unique<RoundUpdated>(table_, table_.IdOf(row), std::move(cells)));
  if (observer_) observer_->RoundUpdated(row);
}

void RoundBook::Remove(int row) {
  if (!table_.HasRow(row)) return;
  const RowId id = table_.IdOf(row);
  PackedRound taken = table_.TakeRow(row);
  history_.Record("Remove Score",
                  std::make_unique<RoundRemoved>(table_, row, id, std::move(taken)));
  if (observer_) observer_->RoundRemoved(row);
}

void RoundBook::Import(std::vector<PackedRound> rounds) {
  if (rounds.empty()) return;
  const std::size_t count = rounds.size();
  table_.InsertRowsAtTop(std::move(rounds));
  std::vector<RowId> ids(count);
  for (std::size_t row = 0; row < count; ++row)
    ids[row] = table_.IdOf(static_cast<int>(row));
  history_.Record("Import", std::make_unique<RoundsImported>(table_, std::move(ids)));
  if (observer_) observer_->RoundsImported(static_cast<int>(count));
}

}  // namespace larkspin
