// The table against a literal model of it: a plain list that scans every row for the
// duplicate rule and sorts the whole list by name on every name change. Random
// operations must give the same answers and the same order at every moment.

#include "TableTestSupport.h"
#include "results/HeaderSort.h"
#include "results/ResultsTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace quillon::results {
namespace {

class LiteralTable {
 public:
  explicit LiteralTable(const NameCollator& collator) : m_collator(collator) {}

  int Count() const { return static_cast<int>(m_rows.size()); }

  void AddRow(const std::string& name, std::vector<std::string> subItems, RowHandle handle) {
    m_rows.push_back(
        Row{"", std::move(subItems), m_collator.sortKey(""), m_sequence++, false, handle});
    if (!name.empty()) setName(m_rows.size() - 1, name);
  }

  bool IsAlreadyIn(const std::string& phone, const std::string& name) const {
    if (phone.empty()) return false;
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [&](const Row& row) { return cell(row, 3) == phone && row.name == name; });
  }

  std::string Cell(int row, int column) const { return cell(m_rows[row], column); }

  void SetCell(int row, int column, const std::string& text) {
    Row& target = m_rows[row];
    if (column == 0) {
      if (target.name != text) setName(row, text);
      return;
    }
    if (static_cast<std::size_t>(column) > target.subItems.size()) {
      if (text.empty()) return;
      target.subItems.resize(column);
    }
    target.subItems[column - 1] = text;
  }

  void AppendSubItem(RowHandle handle, const std::string& text) {
    for (Row& row : m_rows) {
      if (row.handle == handle) row.subItems.push_back(text);
    }
  }

  void setSelected(int row) { m_rows[row].selected = true; }

  void DeleteSelectedRows() {
    std::erase_if(m_rows, [](const Row& row) { return row.selected; });
  }

  void SortByColumn(int column) {
    if (column == m_sortColumn) {
      m_ascending = !m_ascending;
    } else {
      m_sortColumn = column;
    }
    std::sort(m_rows.begin(), m_rows.end(), [&](const Row& a, const Row& b) {
      int order = compareForHeaderSort(column, cell(a, column), a.name, cell(b, column), b.name);
      if (!m_ascending) order = -order;
      return order != 0 ? order < 0 : a.sequence < b.sequence;
    });
  }

 private:
  struct Row {
    std::string name;
    std::vector<std::string> subItems;
    std::string key;
    std::uint64_t sequence;
    bool selected;
    RowHandle handle;
  };

  static std::string cell(const Row& row, int column) {
    if (column == 0) return row.name;
    return static_cast<std::size_t>(column) <= row.subItems.size() ? row.subItems[column - 1] : "";
  }

  void setName(std::size_t row, const std::string& name) {
    m_rows[row].name = name;
    m_rows[row].key = m_collator.sortKey(name);
    std::sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) {
      if (a.key != b.key) return a.key < b.key;
      if (a.name != b.name) return a.name < b.name;
      return a.sequence < b.sequence;
    });
  }

  const NameCollator& m_collator;
  std::vector<Row> m_rows;
  std::uint64_t m_sequence = 0;
  int m_sortColumn = -1;
  bool m_ascending = true;
};

void expectSameTable(const ResultsTable& table, const LiteralTable& literal) {
  ASSERT_EQ(table.Count(), literal.Count());
  for (int row = 0; row < table.Count(); ++row) {
    for (int column = 0; column < kColumnCount; ++column) {
      ASSERT_EQ(table.Cell(row, column), literal.Cell(row, column)) << row << ", " << column;
    }
  }
}

TEST(ResultsTableReferenceTest, MatchesTheLiteralTableThroughRandomOperations) {
  const NameCollator collator("es_ES");
  ResultsTable table(NameCollator("es_ES"));
  LiteralTable literal(collator);
  std::mt19937 random(2024);
  // Few distinct names and phones, so duplicates, equal names and case variants abound.
  const std::vector<std::string> namePool = {
      "",     "Bar",   "bar", "Bar ", "\xC1guila", "Aguila",
      "Nube", "\xD1u", "Oca", "oca",  "Zeta",      std::string("N\0ul", 4)};
  const std::vector<std::string> phonePool = {"", "1", "01", "912 345 678", "2"};
  const auto pick = [&](const std::vector<std::string>& pool) {
    return pool[random() % pool.size()];
  };
  std::vector<RowHandle> handles;

  for (int step = 0; step < 3000; ++step) {
    const auto choice = random() % 100;
    if (choice < 45 || table.Count() == 0) {
      const std::string name = pick(namePool);
      const std::string phone = pick(phonePool);
      ASSERT_EQ(table.IsAlreadyIn(phone, name), literal.IsAlreadyIn(phone, name));
      std::vector<std::string> subItems = {pick(namePool), "", phone};
      if (random() % 3 != 0) subItems.resize(8, "x");
      if (random() % 10 == 0) subItems.resize(random() % 3);
      const RowHandle handle = table.AddRow(name, subItems);
      literal.AddRow(name, subItems, handle);
      handles.push_back(handle);
    } else if (choice < 60) {
      const int row = static_cast<int>(random() % table.Count());
      const int column = static_cast<int>(random() % 4);
      const std::string text = column == 3 ? pick(phonePool) : pick(namePool);
      table.SetCell(row, column, text);
      literal.SetCell(row, column, text);
    } else if (choice < 68) {
      const RowHandle handle = handles[random() % handles.size()];
      table.AppendSubItem(handle, "mail");
      literal.AppendSubItem(handle, "mail");
    } else if (choice < 74) {
      const int column = static_cast<int>(random() % kColumnCount);
      table.SortByColumn(column);
      literal.SortByColumn(column);
    } else if (choice < 78) {
      for (int i = 0; i < 3; ++i) {
        const int row = static_cast<int>(random() % table.Count());
        table.setSelected(row, true);
        literal.setSelected(row);
      }
      table.DeleteSelectedRows();
      literal.DeleteSelectedRows();
    } else {
      const std::string name = pick(namePool);
      const std::string phone = pick(phonePool);
      ASSERT_EQ(table.IsAlreadyIn(phone, name), literal.IsAlreadyIn(phone, name)) << step;
    }
    expectSameTable(table, literal);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace quillon::results
