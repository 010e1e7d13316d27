// Undo and Redo.
#include "Scorecard.h"

namespace larkspin {

void Scorecard::Undo() {
  ReadForm();
  ShowChange(history_.Undo());
}

void Scorecard::Redo() {
  ReadForm();
  ShowChange(history_.Redo());
}

void Scorecard::ShowChange(const Change* change) {
  if (change) {
    values_.roundCount = rounds_.Table().RowCount();
    change->Focus(*this);
    ShowForm();
    Settle();
  }
  ShowForm();
}

// The round in the grid and selected in the list; a round the change took out of the list is
// still shown in the grid, so what was undone can be seen and added again.
void Scorecard::ShowRound(RowId id, const PackedRound* gone) {
  const int row = rounds_.Table().RowOf(id);
  rounds_.Select(row);
  values_.working = row >= 0 ? rounds_.Table().Row(row) : gone ? gone->Unpack() : RoundRecord{};
  ShowForm();
  SelectCourse();
}

void Scorecard::ShowCourse(const std::string& name) {
  values_.working[kCourseColumn] = name;
  ShowForm();
  SelectCourse();
}

}  // namespace larkspin
