#include "CRatingsDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "RatingRows.h"
#include "Services.h"

namespace larkspin {

CRatingsDlg::CRatingsDlg(std::vector<RatingRecord> rows, Prompter& prompter, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), prompter_(prompter) {
  setWindowTitle(QString::fromUtf8(kCourseRatingsTitle));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setSizeGripEnabled(true);

  QStringList headings = {tr("Course"), tr("Rating"), tr("Slope")};
  for (int hole = 1; hole <= kHoles; ++hole)
    headings << QString::number(hole);
  table_ = new QTableWidget(static_cast<int>(rows_.size()), kRatingColumns, this);
  table_->setAccessibleName(tr("Ratings"));
  table_->setHorizontalHeaderLabels(headings);
  table_->verticalHeader()->hide();
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Typing over a cell replaces it, as in a spreadsheet; the arrow keys move between cells.
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  for (int row = 0; row < table_->rowCount(); ++row) {
    const RatingRecord& record = rows_[static_cast<std::size_t>(row)];
    for (int cell = 0; cell < kRatingColumns; ++cell) {
      auto* item = new QTableWidgetItem(QString::fromStdString(record[cell]));
      if (cell == kRatingCourseCell) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      } else {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      table_->setItem(row, cell, item);
    }
  }
  // The numbers' columns as wide as what they hold at most, the names as wide as the longest.
  table_->resizeColumnToContents(kRatingCourseCell);
  const int digit = table_->fontMetrics().horizontalAdvance(QLatin1Char('8'));
  QHeaderView* header = table_->horizontalHeader();
  header->setMinimumSectionSize(3 * digit);
  header->resizeSection(kRatingCell, std::max(6 * digit, header->sectionSizeHint(kRatingCell)));
  header->resizeSection(kSlopeCell, std::max(5 * digit, header->sectionSizeHint(kSlopeCell)));
  for (int hole = 1; hole <= kHoles; ++hole)
    header->resizeSection(StrokeIndexCell(hole), 4 * digit);
  if (table_->rowCount() > 0) table_->setCurrentCell(0, kRatingCell);

  auto* explanation = new QLabel(
      tr("The Course Rating, the Slope Rating and the stroke index of each hole (the "
         "\"handicap\" row of the scorecard). Leave a row empty for a course that is not rated."),
      this);
  explanation->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  cancel_ = buttons->button(QDialogButtonBox::Cancel);
  ok_->setAccessibleName(tr("OK"));
  cancel_->setAccessibleName(tr("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CRatingsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addWidget(table_, 1);
  layout->addWidget(buttons);
  FitToScreen();
}

std::vector<RatingRecord> CRatingsDlg::Rows() const {
  std::vector<RatingRecord> rows = rows_;
  for (int row = 0; row < table_->rowCount(); ++row) {
    for (int cell = 0; cell < kRatingColumns; ++cell) {
      if (cell == kRatingCourseCell) continue;
      const QTableWidgetItem* item = table_->item(row, cell);
      rows[static_cast<std::size_t>(row)][cell] = item ? item->text().toStdString() : std::string();
    }
  }
  return rows;
}

void CRatingsDlg::accept() {
  if (const auto problem = FirstRatingProblem(Rows())) {
    prompter_.ShowMessage(*problem, kCourseRatingsTitle);
    return;
  }
  QDialog::accept();
}

void CRatingsDlg::FitToScreen() {
  // Every column and a dozen rows, as far as the screen allows; the table scrolls the rest.
  int width = table_->frameWidth() * 2 + table_->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < kRatingColumns; ++column)
    width += table_->horizontalHeader()->sectionSize(column);
  const int rows = std::min(table_->rowCount(), 12);
  const int height = table_->horizontalHeader()->sizeHint().height() +
                     rows * table_->verticalHeader()->defaultSectionSize() +
                     table_->frameWidth() * 2;
  table_->setMinimumSize(std::min(width, 480), std::min(height, 160));
  QSize size = sizeHint().expandedTo(QSize(width, height) + QSize(24, 120));
  if (const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen())
    size = size.boundedTo(shown->availableGeometry().size() * 9 / 10);
  resize(size);
}

}  // namespace larkspin
