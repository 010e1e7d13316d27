#include "ChangeHistory.h"

#include <utility>

namespace larkspin {

void ChangeHistory::Record(std::string name, std::unique_ptr<Change> change) {
  undone_.clear();
  done_.push_back({std::move(name), std::move(change), ++recorded_});
}

std::string ChangeHistory::UndoText() const {
  return done_.empty() ? "Undo" : "Undo " + done_.back().name;
}

std::string ChangeHistory::RedoText() const {
  return undone_.empty() ? "Redo" : "Redo " + undone_.back().name;
}

const Change* ChangeHistory::Undo() {
  if (done_.empty()) return nullptr;
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  undone_.back().change->Undo();
  if (observer_) observer_->Undone(undone_.back().step);
  return undone_.back().change.get();
}

const Change* ChangeHistory::Redo() {
  if (undone_.empty()) return nullptr;
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  done_.back().change->Redo();
  if (observer_) observer_->Redone(done_.back().step);
  return done_.back().change.get();
}

}  // namespace larkspin
