#pragma once

#include <QAbstractTableModel>

#include "RoundTable.h"

namespace larkspin {

// The round list's model: the round table's rows in the table's order, read on demand.
class RoundListModel final : public QAbstractTableModel, private RoundTableObserver {
  Q_OBJECT

 public:
  explicit RoundListModel(const RoundTable& table, QObject* parent = nullptr);
  ~RoundListModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  void RowsAboutToBeInserted(int first, int last) override;
  void RowsInserted(int first, int last) override;
  void RowAboutToBeRemoved(int row) override;
  void RowRemoved(int row) override;
  void RowsAboutToBeRemoved(const std::vector<int>& rows) override;
  void RowsRemoved(const std::vector<int>& rows) override;
  void RowChanged(int row) override;
  void RowsAboutToBeReordered() override;
  void RowsReordered(const std::vector<int>& newRowOf) override;

  const RoundTable& table_;
};

}  // namespace larkspin
