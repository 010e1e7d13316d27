#include "RoundListModel.h"

namespace larkspin {

RoundListModel::RoundListModel(const RoundTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
  table_.AddObserver(this);
}

RoundListModel::~RoundListModel() {
  table_.RemoveObserver(this);
}

int RoundListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.RowCount();
}

int RoundListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kRoundColumns;
}

QVariant RoundListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return QString::fromUtf8(table_.Cell(index.row(), index.column()));
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
      return QString::fromUtf8(RoundColumnHeading(section));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
      return {};
  }
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
  emit dataChanged(index(row, 0), index(row, kRoundColumns - 1));
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
