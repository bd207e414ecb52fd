// The results table under random sequences of add, append, edit, delete, header sort and
// key presses, against its literal model (tests/support/ReferenceTable.h). Answers, cells
// and order must be identical after every operation. The changes the
// table reports to its observer must replay to the same order (the list view relies on
// them).

#include "FuzzSupport.h"
#include "results/CountPanel.h"
#include "results/KeyHandling.h"
#include "results/NameCollator.h"
#include "results/ResultsTable.h"
#include "results/RowSelection.h"
#include "results/TableObserver.h"
#include "support/ReferenceTable.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using namespace quillon;
using results::RowHandle;

using Model = testing::ReferenceTable;

const results::NameCollator& collator() {
  static const results::NameCollator instance("es_ES");
  return instance;
}

// The list's selection, as a set of rows.
class Selection final : public results::RowSelection {
 public:
  std::vector<int> rows;
  void selectAll() override { m_selectAll = true; }
  std::vector<int> selectedRows() const override { return rows; }
  bool takeSelectAll() { return std::exchange(m_selectAll, false); }

 private:
  bool m_selectAll = false;
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
      rows.insert(rows.begin() + row, m_table.RowAt(row));
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
    FUZZ_CHECK(m_table.RowAt(from) == rows[static_cast<std::size_t>(from)]);
  }
  void rowMoved(int from, int to) override {
    const RowHandle moved = rows[static_cast<std::size_t>(from)];
    rows.erase(rows.begin() + from);
    rows.insert(rows.begin() + to, moved);
    FUZZ_CHECK(m_table.RowAt(to) == moved);
  }
  void orderChanged() override {
    rows.clear();
    for (int row = 0; row < m_table.Count(); ++row) rows.push_back(m_table.RowAt(row));
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

// Texts chosen to collide: case, accents, blanks, collation neighbours, NUL, the C1 controls
// of cp1252's undefined bytes, characters outside cp1252 and outside the BMP.
const std::vector<std::string>& pool() {
  static const std::vector<std::string> texts = {"",         "a",
                                                 "A",        "a ",
                                                 " a",       "b",
                                                 "B",        "á",
                                                 "Á",        "ab",
                                                 "aB",       "Ab",
                                                 "_a",       "[a",
                                                 "Zeta",     "zeta",
                                                 "Ñandu",    "nandu",
                                                 "e",        "E",
                                                 "é",        "1",
                                                 "10",       "2",
                                                 "€",        std::string("a\0b", 3),
                                                 "ß",        "ss",
                                                 "Æ",        "ae",
                                                 "Œ",        "oe",
                                                 "ÿ",        "\u0081",
                                                 "555 1234", "555-1234",
                                                 "Ł",        "Łódź",
                                                 "Ω",        "Ωμέγα",
                                                 "Ж",        "😀",
                                                 "😀a"};
  return texts;
}

std::string textFrom(fuzz::ByteReader& in) {
  const std::uint8_t choice = in.byte();
  if (choice < 0xF0) return pool()[choice % pool().size()];
  return std::string(in.text(6));  // now and then a few raw bytes
}

void compare(const results::ResultsTable& table, const Model& model,
             const std::vector<std::pair<RowHandle, std::size_t>>& handles, const Mirror& mirror) {
  FUZZ_CHECK(table.Count() == static_cast<int>(model.rows.size()));
  FUZZ_CHECK(table.SortColumn() == model.sortColumn);
  FUZZ_CHECK(table.SortAscending() == model.ascending);
  for (int row = 0; row < table.Count(); ++row) {
    const auto& expected = model.rows[static_cast<std::size_t>(row)];
    for (int column = 0; column < 10; ++column) {
      FUZZ_CHECK(table.Cell(row, column) == model.cell(expected, column));
    }
    FUZZ_CHECK(mirror.rows[static_cast<std::size_t>(row)] == table.RowAt(row));
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
    FUZZ_CHECK(table.IndexOf(handle) == index);
    FUZZ_CHECK(table.Contains(handle) == (index >= 0));
    if (index >= 0) {
      FUZZ_CHECK(table.SubItemCount(handle) ==
                 static_cast<int>(model.rows[static_cast<std::size_t>(index)].subItems.size()));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteReader in(fuzz::bytesOf(data, size));
  results::ResultsTable table{results::NameCollator("es_ES")};
  Mirror mirror(table);
  table.AddObserver(mirror);
  Model model(collator());
  Selection selection;
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
      case 4: {  // the user selects a few rows
        selection.rows.clear();
        for (std::size_t n = in.below(4); n > 0; --n) {
          selection.rows.push_back(
              static_cast<int>(in.below(static_cast<std::size_t>(table.Count()) + 2)) - 1);
        }
        break;
      }
      case 5:
      case 8: {  // a key press in the list
        const auto command = static_cast<results::ListKeyCommand>(in.below(3));
        panel.text = "untouched";
        results::applyListKey(table, panel, selection, command);
        if (command == results::ListKeyCommand::SelectAll) {
          FUZZ_CHECK(selection.takeSelectAll());
          FUZZ_CHECK(panel.text == "untouched");
          break;
        }
        if (command == results::ListKeyCommand::DeleteSelected) {
          model.deleteRows(selection.rows);
          selection.rows.clear();
        }
        FUZZ_CHECK(panel.text == std::to_string(model.rows.size()) + " líneas capturadas");
        break;
      }
      case 6:
        table.DeleteSelectedRows(selection.rows);
        model.deleteRows(selection.rows);
        selection.rows.clear();
        break;
      case 7: {
        const int column = static_cast<int>(in.below(12)) - 1;
        table.SortByColumn(column);
        model.sortByColumn(column);
        break;
      }
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
