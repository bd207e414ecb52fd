// The results table under random sequences of add, append, edit, select, delete, header
// sort and key presses, against a literal model: a plain list that scans every row for
// the duplicate rule and sorts the whole list by name whenever a name is set. Answers,
// cells, selection and order must be identical after every operation. The changes the
// table reports to its observer must replay to the same order (the list view relies on
// them).

#include "FuzzSupport.h"
#include "results/CountPanel.h"
#include "results/KeyHandling.h"
#include "results/NameCollator.h"
#include "results/ResultsTable.h"
#include "results/TableObserver.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

namespace {

using namespace quillon;
using results::RowHandle;

const results::NameCollator& collator() {
  static const results::NameCollator instance("es_ES");
  return instance;
}

const std::string& sortKey(const std::string& name) {
  static std::map<std::string, std::string> keys;
  auto it = keys.find(name);
  if (it == keys.end()) it = keys.emplace(name, collator().sortKey(name)).first;
  return it->second;
}

// Byte-wise, as unsigned bytes.
int compareBytes(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compareFolded(std::string_view a, std::string_view b) {
  const auto fold = [](std::string_view s) {
    std::string out(s);
    for (char& c : out) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
  };
  return compareBytes(fold(a), fold(b));
}

class LiteralTable {
 public:
  struct Row {
    std::string name;
    std::vector<std::string> subItems;
    bool selected = false;
    std::size_t sequence = 0;  // order of addition: rows that compare equal keep it
  };

  std::vector<Row> rows;
  int sortColumn = -1;
  bool ascending = true;

  std::string cell(const Row& row, int column) const {
    if (column == 0) return row.name;
    const auto index = static_cast<std::size_t>(column - 1);
    return index < row.subItems.size() ? row.subItems[index] : std::string();
  }

  // Returns the sequence number that identifies the row.
  std::size_t add(const std::string& name, std::vector<std::string> subItems) {
    rows.push_back(Row{"", std::move(subItems), false, m_next});
    if (!name.empty()) {
      rows.back().name = name;
      sortByName();
    }
    return m_next++;
  }

  Row* find(std::size_t sequence) {
    for (Row& row : rows) {
      if (row.sequence == sequence) return &row;
    }
    return nullptr;
  }

  bool isAlreadyIn(const std::string& phone, const std::string& name) const {
    if (phone.empty()) return false;
    for (const Row& row : rows) {
      if (cell(row, 3) == phone && row.name == name) return true;
    }
    return false;
  }

  void setCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 || column > 9) return;
    Row& target = rows[static_cast<std::size_t>(row)];
    if (column == 0) {
      if (target.name == text) return;
      target.name = text;
      sortByName();
      return;
    }
    if (cell(target, column) == text) return;
    const auto index = static_cast<std::size_t>(column - 1);
    if (index >= target.subItems.size()) target.subItems.resize(index + 1);
    target.subItems[index] = text;
  }

  void deleteSelected() {
    for (std::size_t i = rows.size(); i-- > 0;) {
      if (rows[i].selected) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }

  void sortByColumn(int column) {
    if (column < 0 || column > 9) return;
    if (column == sortColumn) {
      ascending = !ascending;
    } else {
      sortColumn = column;
    }
    std::sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
      int order = compareBytes(cell(a, column), cell(b, column));
      if (order == 0 && column != 0) order = compareFolded(a.name, b.name);
      if (!ascending) order = -order;
      return order != 0 ? order < 0 : a.sequence < b.sequence;
    });
  }

 private:
  void sortByName() {
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
      if (const int byKey = compareBytes(sortKey(a.name), sortKey(b.name)); byKey != 0) {
        return byKey < 0;
      }
      if (const int byName = compareBytes(a.name, b.name); byName != 0) return byName < 0;
      return a.sequence < b.sequence;
    });
  }

  std::size_t m_next = 0;
};

// Replays the table's change reports on a list of row handles.
class Mirror final : public results::TableObserver {
 public:
  explicit Mirror(const results::ResultsTable& table) : m_table(table) {}

  std::vector<RowHandle> rows;

  void rowsAboutToBeInserted(int first, int last) override {
    FUZZ_CHECK(static_cast<int>(rows.size()) == m_table.Count());
    FUZZ_CHECK(first >= 0 && first <= last && first <= m_table.Count());
  }
  void rowsInserted(int first, int last) override {
    for (int row = first; row <= last; ++row) {
      rows.insert(rows.begin() + row, m_table.rowAt(row));
    }
    FUZZ_CHECK(static_cast<int>(rows.size()) == m_table.Count());
  }
  void rowsAboutToBeRemoved(int first, int last) override {
    FUZZ_CHECK(static_cast<int>(rows.size()) == m_table.Count());
    FUZZ_CHECK(first >= 0 && first <= last && last < m_table.Count());
    m_removing = {first, last};
  }
  void rowsRemoved(int first, int last) override {
    FUZZ_CHECK(m_removing == std::make_pair(first, last));
    rows.erase(rows.begin() + first, rows.begin() + last + 1);
    FUZZ_CHECK(static_cast<int>(rows.size()) == m_table.Count());
  }
  void rowAboutToBeMoved(int from, int to) override {
    FUZZ_CHECK(from >= 0 && from < m_table.Count() && to >= 0 && to < m_table.Count());
    FUZZ_CHECK(m_table.rowAt(from) == rows[static_cast<std::size_t>(from)]);
  }
  void rowMoved(int from, int to) override {
    const RowHandle moved = rows[static_cast<std::size_t>(from)];
    rows.erase(rows.begin() + from);
    rows.insert(rows.begin() + to, moved);
    FUZZ_CHECK(m_table.rowAt(to) == moved);
  }
  void orderChanged() override {
    rows.clear();
    for (int row = 0; row < m_table.Count(); ++row) rows.push_back(m_table.rowAt(row));
  }
  void cellChanged(int row, int column) override {
    FUZZ_CHECK(row >= 0 && row < m_table.Count() && column >= 0 && column < 10);
  }

 private:
  const results::ResultsTable& m_table;
  std::pair<int, int> m_removing{-1, -1};
};

struct Panel final : results::CountPanel {
  std::string text;
  void setCountText(const std::string& value) override { text = value; }
};

// Texts chosen to collide: case, accents, blanks, collation neighbours, NUL, C1 bytes.
const std::vector<std::string>& pool() {
  static const std::vector<std::string> texts = {
      "", "a", "A", "a ", " a", "b", "B", "\xE1", "\xC1", "ab", "aB", "Ab", "_a", "[a", "Zeta",
      "zeta", "\xD1" "andu", "nandu", "e", "E", "\xE9", "1", "10", "2", "\x80", std::string("a\0b", 3),
      "\xDF", "ss", "\xC6", "ae", "\x8C", "oe", "\xFF", "\x81", "555 1234", "555-1234"};
  return texts;
}

std::string textFrom(fuzz::ByteReader& in) {
  const std::uint8_t choice = in.byte();
  if (choice < 0xF0) return pool()[choice % pool().size()];
  return std::string(in.text(6));  // now and then a few raw bytes
}

void compare(const results::ResultsTable& table, const LiteralTable& model,
             const std::vector<std::pair<RowHandle, std::size_t>>& handles, const Mirror& mirror) {
  FUZZ_CHECK(table.Count() == static_cast<int>(model.rows.size()));
  FUZZ_CHECK(table.sortColumn() == model.sortColumn);
  FUZZ_CHECK(table.sortAscending() == model.ascending);
  for (int row = 0; row < table.Count(); ++row) {
    const auto& expected = model.rows[static_cast<std::size_t>(row)];
    for (int column = 0; column < 10; ++column) {
      FUZZ_CHECK(table.Cell(row, column) == model.cell(expected, column));
    }
    FUZZ_CHECK(table.isSelected(row) == expected.selected);
    FUZZ_CHECK(mirror.rows[static_cast<std::size_t>(row)] == table.rowAt(row));
  }
  FUZZ_CHECK(mirror.rows.size() == model.rows.size());
  FUZZ_CHECK(table.Cell(table.Count(), 0).empty() && table.Cell(0, 10).empty());
  std::unordered_map<std::size_t, int> indexOf;
  for (std::size_t i = 0; i < model.rows.size(); ++i) {
    indexOf[model.rows[i].sequence] = static_cast<int>(i);
  }
  for (const auto& [handle, sequence] : handles) {
    const auto found = indexOf.find(sequence);
    const int index = found == indexOf.end() ? -1 : found->second;
    FUZZ_CHECK(table.indexOf(handle) == index);
    FUZZ_CHECK(table.contains(handle) == (index >= 0));
    if (index >= 0) {
      FUZZ_CHECK(table.subItemCount(handle) ==
                 static_cast<int>(model.rows[static_cast<std::size_t>(index)].subItems.size()));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteReader in(fuzz::bytesOf(data, size));
  results::ResultsTable table{results::NameCollator("es_ES")};
  Mirror mirror(table);
  table.setObserver(&mirror);
  LiteralTable model;
  Panel panel;
  std::vector<std::pair<RowHandle, std::size_t>> handles;

  for (int step = 0; step < 200 && !in.empty(); ++step) {
    const int row = static_cast<int>(in.below(static_cast<std::size_t>(table.Count()) + 2)) - 1;
    switch (in.below(10)) {
      case 0:
      case 1: {  // a captured listing: usually eight sub-items, the phone in column 3
        const std::string name = textFrom(in);
        std::vector<std::string> subItems(in.below(4) == 0 ? in.below(11) : 8);
        for (auto& item : subItems) item = textFrom(in);
        const RowHandle handle = table.AddRow(name, subItems);
        handles.emplace_back(handle, model.add(name, subItems));
        break;
      }
      case 2: {  // the e-mail of an Italian row, possibly after the row is gone
        if (handles.empty()) break;
        const auto& [handle, sequence] = handles[in.below(handles.size())];
        const std::string text = textFrom(in);
        table.AppendSubItem(handle, text);
        if (auto* target = model.find(sequence)) target->subItems.push_back(text);
        break;
      }
      case 3: {  // an in-place edit
        const int column = static_cast<int>(in.below(12)) - 1;
        const std::string text = textFrom(in);
        table.SetCell(row, column, text);
        model.setCell(row, column, text);
        break;
      }
      case 4: {
        const bool selected = in.byte() & 1;
        table.setSelected(row, selected);
        if (row >= 0 && row < static_cast<int>(model.rows.size())) {
          model.rows[static_cast<std::size_t>(row)].selected = selected;
        }
        break;
      }
      case 5: {  // a key press in the list
        const std::uint8_t k = in.byte();
        const std::uint16_t key = (k & 3) == 0 ? results::kKeyA
                                  : (k & 3) == 1 ? results::kKeyDelete
                                                 : static_cast<std::uint16_t>(k);
        const results::KeyModifiers mods{(k & 4) != 0, (k & 8) != 0, (k & 16) != 0};
        panel.text = "untouched";
        results::lvKeyDown(table, panel, key, mods);
        if (key == results::kKeyA && mods.ctrl && !mods.shift && !mods.alt) {
          for (auto& r : model.rows) r.selected = true;
          FUZZ_CHECK(panel.text == "untouched");
        } else {
          if (key == results::kKeyDelete) model.deleteSelected();
          FUZZ_CHECK(panel.text == std::to_string(model.rows.size()) + " l\xEDneas capturadas");
        }
        break;
      }
      case 6:
        table.DeleteSelectedRows();
        model.deleteSelected();
        break;
      case 7: {
        const int column = static_cast<int>(in.below(12)) - 1;
        table.SortByColumn(column);
        model.sortByColumn(column);
        break;
      }
      case 8:
        table.SelectAllRows();
        for (auto& r : model.rows) r.selected = true;
        break;
      case 9: {  // the duplicate rule, for a pair from the pool or from a row
        std::string phone = textFrom(in);
        std::string name = textFrom(in);
        if (row >= 0 && row < table.Count() && (in.byte() & 1)) {
          phone = table.Cell(row, 3);
          name = table.Cell(row, 0);
        }
        FUZZ_CHECK(table.IsAlreadyIn(phone, name) == model.isAlreadyIn(phone, name));
        break;
      }
    }
    compare(table, model, handles, mirror);
  }
  return 0;
}
