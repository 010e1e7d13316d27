#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "HandicapRecord.h"

namespace larkspin {

// The "Not counted" table of the "Handicap" window: a round's date, course and the reason it does
// not count, read on demand, as there may be thousands.
class NotCountedModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Show(std::vector<NotCountedRound> rounds);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<NotCountedRound> rounds_;
};

}  // namespace larkspin
