#include "NotCountedModel.h"

namespace larkspin {

void NotCountedModel::Show(std::vector<NotCountedRound> rounds) {
  beginResetModel();
  rounds_ = std::move(rounds);
  endResetModel();
}

int NotCountedModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rounds_.size());
}

int NotCountedModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

QVariant NotCountedModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const NotCountedRound& round = rounds_.at(static_cast<std::size_t>(index.row()));
  switch (index.column()) {
    case 0:
      return QString::fromStdString(round.date);
    case 1:
      return QString::fromStdString(round.course);
    default:
      return QString::fromUtf8(round.reason.data(), static_cast<qsizetype>(round.reason.size()));
  }
}

QVariant NotCountedModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case 0:
      return tr("Date");
    case 1:
      return tr("Course");
    default:
      return tr("Reason");
  }
}

}  // namespace larkspin
