#pragma once

#include <QDialog>
#include <string_view>
#include <vector>

#include "RatingRecord.h"

class QPushButton;
class QTableWidget;

namespace larkspin {

class Prompter;

// "Course Ratings": a row per course name, with its Course Rating, Slope Rating and the stroke
// index of each hole, as the user types them; Tab goes through the cells that can be typed in, row
// after row. "OK" (accept(), also Enter) takes the cell being typed in as it stands and closes the
// dialog only when every row is empty or valid; otherwise a box names each course and what is
// wrong, and the dialog stays open. "Cancel" (Esc) closes it as it was.
class CRatingsDlg final : public QDialog {
  Q_OBJECT

 public:
  // `rows` as RatingRows gives them; the boxes go through `prompter`.
  CRatingsDlg(std::vector<RatingRecord> rows, Prompter& prompter, QWidget* parent = nullptr);

  QTableWidget* Table() const { return table_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // The rows as they stand, each course's name as it came.
  std::vector<RatingRecord> Rows() const;

  void accept() override;

 private:
  void FitToScreen();

  std::vector<RatingRecord> rows_;
  Prompter& prompter_;
  QTableWidget* table_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

inline constexpr std::string_view kCourseRatingsTitle = "Course Ratings";

}  // namespace larkspin
