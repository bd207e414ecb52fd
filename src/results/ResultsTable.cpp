#include "results/ResultsTable.h"

#include "results/HeaderSort.h"
#include "results/TableObserver.h"

#include <algorithm>
#include <utility>

namespace quillon::results {
namespace {

const std::string kEmptyText;
const std::vector<std::string> kNoSubItems;

}  // namespace

ResultsTable::ResultsTable(NameCollator collator)
    : m_collator(std::move(collator)), m_emptyNameKey(m_collator.sortKey("")) {
  const auto& english = captionsOf(CaptionSet::English);
  std::copy(english.begin(), english.end(), m_captions.begin());
}

ResultsTable::~ResultsTable() = default;

void ResultsTable::AddObserver(TableObserver& observer) { m_observers.push_back(&observer); }

void ResultsTable::RemoveObserver(TableObserver& observer) { std::erase(m_observers, &observer); }

template <class Event>
void ResultsTable::notify(Event event) {
  for (TableObserver* observer : m_observers) event(*observer);
}

const std::string& ResultsTable::cellOf(const Row& row, int column) {
  if (column == 0) return row.name;
  const auto index = static_cast<std::size_t>(column - 1);
  return index < row.subItems.size() ? row.subItems[index] : kEmptyText;
}

RowCells ResultsTable::cellsOf(std::uint32_t slot) const {
  const Row& row = m_rows[slot];
  RowCells cells;
  for (int column = 0; column < kColumnCount; ++column) cells[column] = cellOf(row, column);
  return cells;
}

// The order by name: collation key, then the name's characters, then the order of addition.
// The keys' first bytes, kept in the order's nodes, settle most comparisons.
bool ResultsTable::nameBefore(std::uint32_t a, std::uint32_t b) const {
  const RowOrder::Hint& hintA = m_order.hint(a);
  const RowOrder::Hint& hintB = m_order.hint(b);
  if (hintA != hintB) return hintA < hintB;
  const Row& x = m_rows[a];
  const Row& y = m_rows[b];
  if (const int byKey = x.sortKey.compare(y.sortKey); byKey != 0) return byKey < 0;
  if (const int byName = compareTexts(x.name, y.name); byName != 0) return byName < 0;
  return x.sequence < y.sequence;
}

void ResultsTable::setSortKey(std::uint32_t slot, std::string key) {
  // The first bytes as big-endian numbers, zero-padded: they order as the bytes do.
  RowOrder::Hint hint{};
  for (std::size_t i = 0; i < key.size() && i < 8 * hint.size(); ++i) {
    hint[i / 8] |= std::uint64_t{static_cast<unsigned char>(key[i])} << (8 * (7 - i % 8));
  }
  m_order.setHint(slot, hint);
  m_rows[slot].sortKey = std::move(key);
}

std::uint32_t ResultsTable::slotAt(int row) const {
  return m_order.at(static_cast<std::uint32_t>(row));
}

const ResultsTable::Row* ResultsTable::rowOf(RowHandle handle) const {
  if (handle.slot >= m_rows.size()) return nullptr;
  const Row& row = m_rows[handle.slot];
  return row.alive && row.generation == handle.generation ? &row : nullptr;
}

std::uint32_t ResultsTable::newSlot() {
  if (!m_freeSlots.empty()) {
    const std::uint32_t slot = m_freeSlots.back();
    m_freeSlots.pop_back();
    return slot;
  }
  m_rows.emplace_back();
  return static_cast<std::uint32_t>(m_rows.size() - 1);
}

void ResultsTable::insertAt(std::uint32_t index, std::uint32_t slot) {
  const int row = static_cast<int>(index);
  notify([&](TableObserver& o) { o.rowsAboutToBeInserted(row, row); });
  m_order.insert(index, slot);
  notify([&](TableObserver& o) { o.rowsInserted(row, row); });
}

void ResultsTable::insertByName(std::uint32_t slot) {
  // The row's index is known only once it is in: the observer hears "about to" first,
  // with the index the search will give, which a dry run of the same search finds.
  const auto before = [&](std::uint32_t s) { return nameBefore(s, slot); };
  if (!m_observers.empty()) {
    const int row = static_cast<int>(m_order.partitionPoint(before));
    notify([&](TableObserver& o) { o.rowsAboutToBeInserted(row, row); });
    m_order.insertAtPartition(slot, before);
    notify([&](TableObserver& o) { o.rowsInserted(row, row); });
    return;
  }
  m_order.insertAtPartition(slot, before);
}

RowHandle ResultsTable::AddRow(std::string name, std::vector<std::string> subItems) {
  const std::uint32_t slot = newSlot();
  Row& row = m_rows[slot];
  row.subItems = std::move(subItems);
  row.sequence = m_nextSequence++;
  row.alive = true;
  const RowHandle handle{slot, row.generation};
  const std::uint32_t end = m_order.size();

  if (name.empty()) {
    // An empty name is no name change: the row stays at the end, which may break the
    // order by name until the next name is set.
    setSortKey(slot, m_emptyNameKey);
    m_duplicates.add(cellOf(row, kPhoneColumn), row.name);
    insertAt(end, slot);
    if (m_nameOrdered && end > 0 && nameBefore(slot, m_order.at(end - 1))) m_nameOrdered = false;
  } else {
    row.name = std::move(name);
    setSortKey(slot, m_collator.sortKey(row.name));
    m_duplicates.add(cellOf(row, kPhoneColumn), row.name);
    if (m_nameOrdered) {
      insertByName(slot);
    } else {
      insertAt(end, slot);
      sortByName();
    }
  }
  notify([&](TableObserver& o) { o.rowAdded(handle); });
  return handle;
}

void ResultsTable::AppendSubItem(RowHandle handle, std::string text) {
  if (rowOf(handle) == nullptr) return;
  Row& row = m_rows[handle.slot];
  // The telephone column is empty until a sub-item fills it.
  const bool fillsPhone = row.subItems.size() + 1 == static_cast<std::size_t>(kPhoneColumn);
  row.subItems.push_back(std::move(text));
  if (fillsPhone) m_duplicates.add(row.subItems.back(), row.name);
  const auto column = static_cast<int>(row.subItems.size());
  if (column < kColumnCount) {
    const auto position = static_cast<int>(m_order.indexOf(handle.slot));
    notify([&](TableObserver& o) { o.cellChanged(position, column); });
  }
  notify([&](TableObserver& o) { o.subItemAppended(handle); });
}

bool ResultsTable::IsAlreadyIn(std::string_view phone, std::string_view name) const {
  return m_duplicates.contains(phone, name);
}

const std::string& ResultsTable::Cell(int row, int column) const {
  if (row < 0 || row >= Count() || column < 0 || column >= kColumnCount) return kEmptyText;
  return cellOf(m_rows[slotAt(row)], column);
}

void ResultsTable::SetCell(int row, int column, std::string text) {
  if (row < 0 || row >= Count() || column < 0 || column >= kColumnCount) return;
  const RowHandle handle = RowAt(row);
  const bool changed = column == 0 ? changeName(handle.slot, std::move(text))
                                   : changeSubItem(handle.slot, column, std::move(text));
  if (changed) notify([&](TableObserver& o) { o.cellSet(handle, column); });
}

bool ResultsTable::changeName(std::uint32_t slot, std::string name) {
  Row& row = m_rows[slot];
  if (row.name == name) return false;
  const std::string& phone = cellOf(row, kPhoneColumn);
  m_duplicates.remove(phone, row.name);
  row.name = std::move(name);
  setSortKey(slot, m_collator.sortKey(row.name));
  m_duplicates.add(phone, row.name);
  const auto position = static_cast<int>(m_order.indexOf(slot));
  notify([&](TableObserver& o) { o.cellChanged(position, 0); });
  if (m_nameOrdered) {
    placeByName(slot);
  } else {
    sortByName();
  }
  return true;
}

bool ResultsTable::changeSubItem(std::uint32_t slot, int column, std::string text) {
  Row& row = m_rows[slot];
  const auto index = static_cast<std::size_t>(column - 1);
  if (cellOf(row, column) == text) return false;
  const bool isPhone = column == kPhoneColumn;
  if (isPhone) m_duplicates.remove(cellOf(row, kPhoneColumn), row.name);
  if (index >= row.subItems.size()) row.subItems.resize(index + 1);
  row.subItems[index] = std::move(text);
  if (isPhone) m_duplicates.add(row.subItems[index], row.name);
  const auto position = static_cast<int>(m_order.indexOf(slot));
  notify([&](TableObserver& o) { o.cellChanged(position, column); });
  return true;
}

// Moves one renamed row to its place; every other row is in name order already.
void ResultsTable::placeByName(std::uint32_t slot) {
  const std::uint32_t from = m_order.indexOf(slot);
  m_order.erase(from, from);
  const std::uint32_t to =
      m_order.partitionPoint([&](std::uint32_t s) { return nameBefore(s, slot); });
  m_order.insert(from, slot);
  if (to == from) return;
  const auto fromRow = static_cast<int>(from);
  const auto toRow = static_cast<int>(to);
  notify([&](TableObserver& o) { o.rowAboutToBeMoved(fromRow, toRow); });
  m_order.erase(from, from);
  m_order.insert(to, slot);
  notify([&](TableObserver& o) { o.rowMoved(fromRow, toRow); });
}

void ResultsTable::sortByName() {
  notify([&](TableObserver& o) { o.orderAboutToChange(); });
  std::vector<std::uint32_t> slots = m_order.inOrder();
  std::sort(slots.begin(), slots.end(),
            [&](std::uint32_t a, std::uint32_t b) { return nameBefore(a, b); });
  m_order.assign(slots);
  m_nameOrdered = true;
  notify([&](TableObserver& o) { o.orderChanged(); });
}

void ResultsTable::release(std::uint32_t slot) {
  Row& row = m_rows[slot];
  m_duplicates.remove(cellOf(row, kPhoneColumn), row.name);
  const std::uint32_t generation = row.generation + 1;
  row = Row{};
  row.generation = generation;
  m_freeSlots.push_back(slot);
}

void ResultsTable::DeleteSelectedRows(std::vector<int> selectedRows) {
  std::sort(selectedRows.begin(), selectedRows.end());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  // Neighbouring selected rows go out together, the last run first.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
  for (const int row : selectedRows) {
    if (row < 0 || row >= Count()) continue;
    const auto index = static_cast<std::uint32_t>(row);
    if (!runs.empty() && runs.back().second + 1 == index) {
      runs.back().second = index;
    } else {
      runs.emplace_back(index, index);
    }
  }
  std::vector<RowHandle> deleted;
  if (!m_observers.empty()) {
    for (const auto& [first, last] : runs) {
      for (std::uint32_t index = first; index <= last; ++index) {
        deleted.push_back(RowAt(static_cast<int>(index)));
      }
    }
  }
  for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
    const int first = static_cast<int>(run->first);
    const int last = static_cast<int>(run->second);
    notify([&](TableObserver& o) { o.rowsAboutToBeRemoved(first, last); });
    for (const std::uint32_t slot : m_order.erase(run->first, run->second)) release(slot);
    notify([&](TableObserver& o) { o.rowsRemoved(first, last); });
  }
  if (!deleted.empty()) notify([&](TableObserver& o) { o.rowsDeleted(deleted); });
}

void ResultsTable::SortByColumn(int column) {
  if (column < 0 || column >= kColumnCount) return;
  if (column == m_sortColumn) {
    m_sortAscending = !m_sortAscending;
  } else {
    m_sortColumn = column;
  }
  notify([&](TableObserver& o) { o.orderAboutToChange(); });
  std::vector<std::uint32_t> slots = m_order.inOrder();
  // Rows that compare equal keep the order of addition, in either direction.
  std::sort(slots.begin(), slots.end(), [&](std::uint32_t a, std::uint32_t b) {
    const Row& x = m_rows[a];
    const Row& y = m_rows[b];
    int order = compareForHeaderSort(column, cellOf(x, column), x.name, cellOf(y, column), y.name);
    if (!m_sortAscending) order = -order;
    return order != 0 ? order < 0 : x.sequence < y.sequence;
  });
  m_order.assign(slots);
  m_nameOrdered = false;
  notify([&](TableObserver& o) { o.orderChanged(); });
  notify([&](TableObserver& o) { o.sortedByColumn(column); });
}

void ResultsTable::applyCaptions(CaptionSet set) {
  const auto& captions = captionsOf(set);
  std::copy(captions.begin(), captions.end(), m_captions.begin());
  notify([&](TableObserver& o) { o.captionsChanged(); });
  notify([&](TableObserver& o) { o.captionsApplied(set); });
}

const std::string& ResultsTable::Caption(int column) const {
  return column >= 0 && column < kColumnCount ? m_captions[column] : kEmptyText;
}

RowHandle ResultsTable::RowAt(int row) const {
  if (row < 0 || row >= Count()) return {};
  const std::uint32_t slot = slotAt(row);
  return {slot, m_rows[slot].generation};
}

int ResultsTable::IndexOf(RowHandle row) const {
  return rowOf(row) != nullptr ? static_cast<int>(m_order.indexOf(row.slot)) : -1;
}

bool ResultsTable::Contains(RowHandle row) const { return rowOf(row) != nullptr; }

const std::string& ResultsTable::Cell(RowHandle row, int column) const {
  const Row* target = rowOf(row);
  if (target == nullptr || column < 0 || column >= kColumnCount) return kEmptyText;
  return cellOf(*target, column);
}

int ResultsTable::SubItemCount(RowHandle row) const {
  const Row* target = rowOf(row);
  return target != nullptr ? static_cast<int>(target->subItems.size()) : 0;
}

const std::vector<std::string>& ResultsTable::SubItems(RowHandle row) const {
  const Row* target = rowOf(row);
  return target != nullptr ? target->subItems : kNoSubItems;
}

}  // namespace quillon::results
