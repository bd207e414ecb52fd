#pragma once

#include "results/RowHandle.h"
#include "results/TableObserver.h"

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QString>

#include <vector>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::shell {

// The results table as a Qt item model: ten columns, the table's rows in the table's
// order, captions as horizontal headers. It observes the table and turns every change
// into the model's begin/end notifications, so views follow edits made anywhere
// (capture runs, key handling, header sorts). Cells are UTF-8 in the table and
// QString here; an edit goes into the table through SetCell.
class ResultsModel final : public QAbstractTableModel, private results::TableObserver {
  Q_OBJECT

 public:
  // The longest text an edit stores; a longer one is cut.
  static constexpr int kMaxEditLength = 1024;

  // The table must outlive the model.
  explicit ResultsModel(results::ResultsTable& table, QObject* parent = nullptr);
  ~ResultsModel() override;

  results::ResultsTable& table() const { return m_table; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The text of a cell as the list shows it (wide).
  QString cellText(int row, int column) const;

 signals:
  // The header sort changed column or direction.
  void sortIndicatorChanged();

 private:
  void rowsAboutToBeInserted(int first, int last) override;
  void rowsInserted(int first, int last) override;
  void rowsAboutToBeRemoved(int first, int last) override;
  void rowsRemoved(int first, int last) override;
  void rowAboutToBeMoved(int from, int to) override;
  void rowMoved(int from, int to) override;
  void orderAboutToChange() override;
  void orderChanged() override;
  void cellChanged(int row, int column) override;
  void captionsChanged() override;

  results::ResultsTable& m_table;
  bool m_moving = false;
  // Persistent indexes and their rows across a change of the whole order.
  QModelIndexList m_persistentBefore;
  std::vector<results::RowHandle> m_persistentRows;
  int m_sortColumn = -1;
  bool m_sortAscending = true;
};

}  // namespace quillon::shell
