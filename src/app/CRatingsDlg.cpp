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

namespace {

// The table of the dialog, where Tab and Shift+Tab, in a cell or in its editor, go from cell to
// cell that can be typed in, row after row, past the course names, and leave the table after its
// last cell (before its first) instead of going round it again.
class RatingsGrid final : public QTableWidget {
 public:
  RatingsGrid(int rows, QWidget* parent) : QTableWidget(rows, kRatingColumns, parent) {}

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
    if (action == MoveNext) return Beside(currentIndex(), true);
    if (action == MovePrevious) return Beside(currentIndex(), false);
    return QTableWidget::moveCursor(action, modifiers);
  }

  bool focusNextPrevChild(bool next) override {
    const QModelIndex to = Beside(currentIndex(), next);
    if (!to.isValid()) return QWidget::focusNextPrevChild(next);
    setCurrentIndex(to);
    return true;
  }

  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
    const bool tab = hint == QAbstractItemDelegate::EditNextItem ||
                     hint == QAbstractItemDelegate::EditPreviousItem;
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    if (tab && !Beside(currentIndex(), next).isValid()) {
      QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
      QWidget::focusNextPrevChild(next);
      return;
    }
    QTableWidget::closeEditor(editor, hint);
  }

 private:
  // The cell that can be typed in after (before) `from`; none past the last (first).
  QModelIndex Beside(const QModelIndex& from, bool next) const {
    if (!from.isValid()) return next ? model()->index(0, kRatingCell) : QModelIndex();
    int row = from.row();
    int column = from.column() + (next ? 1 : -1);
    if (column >= kRatingColumns) {
      ++row;
      column = kRatingCell;
    } else if (column < kRatingCell) {
      --row;
      column = kRatingColumns - 1;
    }
    return row >= 0 && row < rowCount() ? model()->index(row, column) : QModelIndex();
  }
};

}  // namespace

CRatingsDlg::CRatingsDlg(std::vector<RatingRecord> rows, Prompter& prompter, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), prompter_(prompter) {
  setWindowTitle(QString::fromUtf8(kCourseRatingsTitle));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setSizeGripEnabled(true);

  QStringList headings = {tr("Course"), tr("Rating"), tr("Slope")};
  for (int hole = 1; hole <= kHoles; ++hole)
    headings << QString::number(hole);
  table_ = new RatingsGrid(static_cast<int>(rows_.size()), this);
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
  // Enter presses OK wherever the focus is, but in a cell being typed in, where it ends the
  // typing; Esc is Cancel; Alt+O and Alt+C press them too.
  ok_->setText(tr("&OK"));
  cancel_->setText(tr("&Cancel"));
  ok_->setDefault(true);
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
  // OK may come while a cell is being typed in, as a screen reader presses it without moving the
  // focus: the cell counts as it stands.
  const QModelIndex typing = table_->currentIndex();
  if (QWidget* editor = table_->indexWidget(typing))
    table_->itemDelegateForIndex(typing)->setModelData(editor, table_->model(), typing);
  if (const auto refusal = RatingsRefusal(Rows())) {
    prompter_.ShowMessage(*refusal, kCourseRatingsTitle);
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
