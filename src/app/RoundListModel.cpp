#include "RoundListModel.h"

#include "CourseTable.h"

namespace larkspin {

namespace {

constexpr int kTotalColumn = 2;
constexpr int kToParColumn = 3;
constexpr int kFigureColumns = 2;

}  // namespace

int ListColumn(int tableColumn) {
  return tableColumn <= kDateColumn ? tableColumn : tableColumn + kFigureColumns;
}

int ListColumn(RoundFigure figure) {
  return figure == RoundFigure::kTotal ? kTotalColumn : kToParColumn;
}

int TableColumn(int listColumn) {
  if (listColumn < 0 || listColumn >= kListColumns || ListFigure(listColumn)) return -1;
  return listColumn <= kDateColumn ? listColumn : listColumn - kFigureColumns;
}

std::optional<RoundFigure> ListFigure(int listColumn) {
  if (listColumn == kTotalColumn) return RoundFigure::kTotal;
  if (listColumn == kToParColumn) return RoundFigure::kToPar;
  return std::nullopt;
}

RoundListModel::RoundListModel(const RoundTable& table, const CourseTable& courses, QObject* parent)
    : QAbstractTableModel(parent), table_(table), courses_(courses) {
  table_.AddObserver(this);
}

RoundListModel::~RoundListModel() {
  table_.RemoveObserver(this);
}

int RoundListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.RowCount();
}

int RoundListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumns;
}

QVariant RoundListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return Text(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
      return {};
  }
}

QVariant RoundListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  switch (role) {
    case Qt::DisplayRole:
      if (const auto figure = ListFigure(section)) {
        return *figure == RoundFigure::kTotal ? tr("Total") : tr("To par");
      }
      return QString::fromUtf8(RoundColumnHeading(TableColumn(section)));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
      return {};
  }
}

QString RoundListModel::Text(int row, int column) const {
  if (const auto figure = ListFigure(column)) {
    if (!pars_ || parsRevision_ != courses_.Revision()) {
      pars_.emplace(courses_);
      parsRevision_ = courses_.Revision();
    }
    return QString::fromStdString(FigureText(pars_->SumRound(table_, row), *figure));
  }
  return QString::fromUtf8(table_.Cell(row, TableColumn(column)));
}

void RoundListModel::CoursesChanged() {
  if (table_.RowCount() == 0) return;
  const int column = ListColumn(RoundFigure::kToPar);
  emit dataChanged(index(0, column), index(table_.RowCount() - 1, column));
}

void RoundListModel::RowsAboutToBeInserted(int first, int last) {
  beginInsertRows(QModelIndex(), first, last);
}

void RoundListModel::RowsInserted(int, int) {
  endInsertRows();
}

void RoundListModel::RowAboutToBeRemoved(int row) {
  beginRemoveRows(QModelIndex(), row, row);
}

void RoundListModel::RowRemoved(int) {
  endRemoveRows();
}

// Rows that stand together leave as one block; scattered ones (an import taken back after a
// sort) are told as a new start, which Qt's views handle in one pass.
void RoundListModel::RowsAboutToBeRemoved(const std::vector<int>& rows) {
  if (rows.back() - rows.front() + 1 == static_cast<int>(rows.size())) {
    beginRemoveRows(QModelIndex(), rows.front(), rows.back());
  } else {
    beginResetModel();
  }
}

void RoundListModel::RowsRemoved(const std::vector<int>& rows) {
  if (rows.back() - rows.front() + 1 == static_cast<int>(rows.size())) {
    endRemoveRows();
  } else {
    endResetModel();
  }
}

void RoundListModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, kListColumns - 1));
}

void RoundListModel::RowsAboutToBeReordered() {
  emit layoutAboutToBeChanged();
}

void RoundListModel::RowsReordered(const std::vector<int>& newRowOf) {
  // The selection and the current row move with their rounds.
  const QModelIndexList from = persistentIndexList();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& old : from)
    to.append(index(newRowOf[old.row()], old.column()));
  changePersistentIndexList(from, to);
  emit layoutChanged();
}

}  // namespace larkspin
