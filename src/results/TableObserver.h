#pragma once

#include "results/RowHandle.h"
#include "results/TableColumns.h"

#include <vector>

namespace quillon::results {

// What changes in a results table, told in the order a Qt item model needs it: every
// "about to" call comes before the table changes and its partner after. Row numbers
// are indices in the table's order. A Qt model forwards these as beginInsertRows /
// endInsertRows, beginRemoveRows / endRemoveRows, beginMoveRows / endMoveRows (Qt's
// destination row is `to + 1` when `to > from`), layoutAboutToBeChanged / layoutChanged
// (or a reset), dataChanged and headerDataChanged.
class TableObserver {
 public:
  virtual ~TableObserver() = default;

  virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
  virtual void rowsInserted(int /*first*/, int /*last*/) {}
  virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
  virtual void rowsRemoved(int /*first*/, int /*last*/) {}
  // One row goes from index `from` to index `to` (its index once moved).
  virtual void rowAboutToBeMoved(int /*from*/, int /*to*/) {}
  virtual void rowMoved(int /*from*/, int /*to*/) {}
  // The whole order changes (a header sort, or the order by name coming back).
  virtual void orderAboutToChange() {}
  virtual void orderChanged() {}
  virtual void cellChanged(int /*row*/, int /*column*/) {}
  virtual void captionsChanged() {}

  // The same changes once more, as the calls that made them, each after the change and
  // after the calls above: enough to make the table again by repeating the calls in the
  // same order on an empty table. Calls that changed nothing are not told.
  // AddRow added the row.
  virtual void rowAdded(RowHandle /*row*/) {}
  // AppendSubItem added a sub-item (the row's last).
  virtual void subItemAppended(RowHandle /*row*/) {}
  // SetCell changed a cell of the row.
  virtual void cellSet(RowHandle /*row*/, int /*column*/) {}
  // DeleteSelectedRows removed these rows (their handles no longer name a row), in the
  // order they had in the table.
  virtual void rowsDeleted(const std::vector<RowHandle>& /*rows*/) {}
  // SortByColumn sorted by the column.
  virtual void sortedByColumn(int /*column*/) {}
  // TransEspanian, TransItalian or TransCanadian set the captions.
  virtual void captionsApplied(CaptionSet /*set*/) {}
};

}  // namespace quillon::results
