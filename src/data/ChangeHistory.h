#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PackedRound.h"
#include "RoundTable.h"

namespace larkspin {

// Where the window's eye goes after a change is undone or redone: the round or the course it
// touched.
class ChangeFocus {
 public:
  virtual ~ChangeFocus() = default;
  // The round named `id`; when the change took it out of the table, `gone` holds its cells.
  virtual void ShowRound(RowId id, const PackedRound* gone) = 0;
  virtual void ShowCourse(const std::string& name) = 0;
};

// One change to a table that can be taken back and made again. It keeps only the rows it
// changed: a row it took out, or the other version of a row it rewrote.
class Change {
 public:
  virtual ~Change() = default;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void Focus(ChangeFocus& focus) const = 0;
};

// Told of each step undone or redone, once it is, so that the journal can keep it.
class HistoryObserver {
 public:
  virtual ~HistoryObserver() = default;
  // `step` is the step's number: the steps recorded before it, and 1.
  virtual void Undone(std::uint64_t step) = 0;
  virtual void Redone(std::uint64_t step) = 0;
};

// The changes made to the round and course tables since the window opened, newest last. A new
// change drops what was undone.
class ChangeHistory {
 public:
  // `name` is the change as the user knows it: "Add Score".
  void Record(std::string name, std::unique_ptr<Change> change);
  // How many steps were ever recorded, those undone or dropped since included.
  std::uint64_t Recorded() const { return recorded_; }
  void SetObserver(HistoryObserver* observer) { observer_ = observer; }

  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // "Undo Add Score", or "Undo" when there is nothing to undo; likewise "Redo ...".
  std::string UndoText() const;
  std::string RedoText() const;

  // Undoes or redoes the newest change of its side; the change, or nullptr when there is none.
  const Change* Undo();
  const Change* Redo();

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<Change> change;
    std::uint64_t step = 0;
  };

  std::vector<Entry> done_;
  std::vector<Entry> undone_;
  std::uint64_t recorded_ = 0;
  HistoryObserver* observer_ = nullptr;
};

}  // namespace larkspin
