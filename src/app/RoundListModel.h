#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <optional>

#include "CoursePars.h"
#include "RoundTable.h"
#include "RoundTotals.h"

namespace larkspin {

// The round list's columns: the round table's, with two figures worked out from each round right
// of "Date": "Total" and "To par". The figures are never stored.
inline constexpr int kListColumns = kRoundColumns + 2;
// The list column that shows a table column.
int ListColumn(int tableColumn);
int ListColumn(RoundFigure figure);
// The table column a list column shows; -1 for a figure's column or a column outside the list.
int TableColumn(int listColumn);
// The figure a list column shows, if it shows one.
std::optional<RoundFigure> ListFigure(int listColumn);

// The round list's model: the round table's rows in the table's order, read on demand; the
// figures against the course table's pars.
class RoundListModel final : public QAbstractTableModel, private RoundTableObserver {
  Q_OBJECT

 public:
  RoundListModel(const RoundTable& table, const CourseTable& courses, QObject* parent = nullptr);
  ~RoundListModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The course table changed: every round's "To par" may have.
  void CoursesChanged();

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

  QString Text(int row, int column) const;

  const RoundTable& table_;
  const CourseTable& courses_;
  // Each course's pars, read once for as long as the courses stay as they are.
  mutable std::optional<ParsByCourse> pars_;
  mutable std::uint64_t parsRevision_ = 0;
};

}  // namespace larkspin
