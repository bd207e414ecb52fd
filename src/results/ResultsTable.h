#pragma once

#include "results/DuplicateIndex.h"
#include "results/NameCollator.h"
#include "results/RowHandle.h"
#include "results/RowOrder.h"
#include "results/TableColumns.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::results {

class TableObserver;

// The results table: the one store of captured listings, without any window toolkit.
// Ten columns; each row has a name (column 0) and sub-items (columns 1 on); all texts,
// captions too, are UTF-8 (rows of the built-in directories come in converted from their
// cp1252 once, see capture/PageRows). The rows keep the order by name (ICU collation of
// the user's locale) except after a header sort, until the next name is set.
//
// The answers and the order are those of a table that scans all rows for the duplicate
// rule and re-sorts everything on every name change; a hash index and binary insertion
// on precomputed sort keys give them in O(log n). Rows of equal names stay in the order
// in which they were added.
class ResultsTable {
 public:
  explicit ResultsTable(NameCollator collator = NameCollator::fromEnvironment());
  ResultsTable(const ResultsTable&) = delete;
  ResultsTable& operator=(const ResultsTable&) = delete;
  ~ResultsTable();

  // Observers are told of every change, in the order they were added; not owned. An
  // observer must be removed before it is destroyed.
  void AddObserver(TableObserver& observer);
  void RemoveObserver(TableObserver& observer);

  // The number of rows.
  int Count() const { return static_cast<int>(m_order.size()); }

  // Adds a row and puts it in its place in the order by name; an empty name leaves it
  // at the end. subItems[0] becomes column 1, and so on.
  RowHandle AddRow(std::string name, std::vector<std::string> subItems);

  // Adds one sub-item after the row's last one; does nothing when the row is gone.
  void AppendSubItem(RowHandle row, std::string text);

  // True when a row has exactly this telephone (column 3) and this name; false for an
  // empty telephone.
  bool IsAlreadyIn(std::string_view phone, std::string_view name) const;

  // The text of a cell; empty text beyond the row's sub-items or out of range.
  const std::string& Cell(int row, int column) const;

  // Changes a cell; a new name moves the row to its place by name. Out of range: no-op.
  void SetCell(int row, int column, std::string text);

  // The caption sets (columns 0 to 8; the rows keep their texts).
  void TransEspanian() { applyCaptions(CaptionSet::Spanish); }
  void TransItalian() { applyCaptions(CaptionSet::Italian); }
  void TransCanadian() { applyCaptions(CaptionSet::English); }

  // Removes the rows at the given indices (the user's selection: any order; duplicates
  // and indices out of range are ignored), visiting them from the last to the first.
  void DeleteSelectedRows(std::vector<int> selectedRows);
  // A header click: sorts by the column, flipping the direction on a second click.
  void SortByColumn(int column);

  // The column captions; the English set at start.
  const std::string& Caption(int column) const;
  // The column of the last header sort, or -1; and its direction.
  int SortColumn() const { return m_sortColumn; }
  bool SortAscending() const { return m_sortAscending; }

  // The handle of the row at an index, and back; -1 for a row that is gone.
  RowHandle RowAt(int row) const;
  int IndexOf(RowHandle row) const;
  bool Contains(RowHandle row) const;
  // A row's cell by handle (empty text when the row is gone), and its sub-item count.
  const std::string& Cell(RowHandle row, int column) const;
  int SubItemCount(RowHandle row) const;
  // Every sub-item of a row, also those past the last column; empty when the row is gone.
  const std::vector<std::string>& SubItems(RowHandle row) const;

  // Calls visit(const RowCells&) for every row in the table's order.
  template <class Visit>
  void ForEachRow(Visit visit) const {
    m_order.forEach([&](std::uint32_t slot) { visit(cellsOf(slot)); });
  }

 private:
  struct Row {
    std::string name;
    std::vector<std::string> subItems;
    std::string sortKey;
    std::uint64_t sequence = 0;  // order of addition: breaks ties between equal names
    std::uint32_t generation = 0;
    bool alive = false;
  };

  std::uint32_t slotAt(int row) const;
  const Row* rowOf(RowHandle handle) const;
  RowCells cellsOf(std::uint32_t slot) const;
  static const std::string& cellOf(const Row& row, int column);
  bool nameBefore(std::uint32_t a, std::uint32_t b) const;
  void setSortKey(std::uint32_t slot, std::string key);
  std::uint32_t newSlot();
  void insertAt(std::uint32_t index, std::uint32_t slot);
  void insertByName(std::uint32_t slot);
  // Both return false when the cell already held the text.
  bool changeName(std::uint32_t slot, std::string name);
  bool changeSubItem(std::uint32_t slot, int column, std::string text);
  void placeByName(std::uint32_t slot);
  void release(std::uint32_t slot);
  void sortByName();
  void applyCaptions(CaptionSet set);
  template <class Event>
  void notify(Event event);

  NameCollator m_collator;
  std::string m_emptyNameKey;
  std::vector<Row> m_rows;  // indexed by slot
  std::vector<std::uint32_t> m_freeSlots;
  RowOrder m_order;
  DuplicateIndex m_duplicates;
  std::uint64_t m_nextSequence = 0;
  bool m_nameOrdered = true;  // the order is the order by name
  int m_sortColumn = -1;
  bool m_sortAscending = true;
  std::array<std::string, kColumnCount> m_captions;
  std::vector<TableObserver*> m_observers;
};

}  // namespace quillon::results
