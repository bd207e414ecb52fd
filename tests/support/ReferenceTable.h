#pragma once

// A literal model of the results table, shared by the reference test and the fuzz target:
// a plain list that scans every row for the duplicate rule and sorts the whole list by
// name whenever a name is set. Its header sort spells out the plain order itself (each
// character by its cp1252 byte, the others after them by code point) rather than calling
// the table's comparison, so the two can disagree when either is wrong.

#include "results/NameCollator.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::testing {

class ReferenceTable {
 public:
  struct Row {
    std::string name;
    std::vector<std::string> subItems;
    std::size_t sequence = 0;  // order of addition: rows that compare equal keep it
  };

  explicit ReferenceTable(const results::NameCollator& collator) : m_collator(collator) {}

  std::vector<Row> rows;
  int sortColumn = -1;
  bool ascending = true;

  int count() const { return static_cast<int>(rows.size()); }

  static std::string cell(const Row& row, int column) {
    if (column == 0) return row.name;
    const auto index = static_cast<std::size_t>(column - 1);
    return index < row.subItems.size() ? row.subItems[index] : std::string();
  }
  std::string cell(int row, int column) const {
    return cell(rows[static_cast<std::size_t>(row)], column);
  }

  // Returns the sequence number that identifies the row.
  std::size_t add(const std::string& name, std::vector<std::string> subItems) {
    rows.push_back(Row{"", std::move(subItems), m_next});
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
    return std::any_of(rows.begin(), rows.end(),
                       [&](const Row& row) { return cell(row, 3) == phone && row.name == name; });
  }

  void setCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= count() || column < 0 || column > 9) return;
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

  void deleteRows(const std::vector<int>& selected) {
    for (int row = count() - 1; row >= 0; --row) {
      if (std::find(selected.begin(), selected.end(), row) != selected.end()) {
        rows.erase(rows.begin() + row);
      }
    }
  }

  void sortByColumn(int column) {
    if (column < 0 || column > 9) return;
    if (column == sortColumn) {
      ascending = !ascending;
    } else {
      sortColumn = column;
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
      int order = comparePlain(cell(a, column), cell(b, column));
      if (order == 0 && column != 0) order = compareFolded(a.name, b.name);
      if (!ascending) order = -order;
      return order != 0 ? order < 0 : a.sequence < b.sequence;
    });
  }

 private:
  // The plain order: the characters' places, one by one.
  static int comparePlain(std::string_view a, std::string_view b) {
    const auto places = [](std::string_view utf8) {
      const std::u16string wide = text::utf8ToUtf16(utf8);
      std::vector<std::uint32_t> out;
      for (std::size_t i = 0; i < wide.size(); ++i) {
        std::u16string_view one(&wide[i], 1);
        if (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size()) {
          one = std::u16string_view(&wide[i], 2);
          ++i;
        }
        if (one.size() == 1 && text::fitsCp1252(one)) {
          out.push_back(static_cast<unsigned char>(text::utf16ToCp1252(one)[0]));
        } else if (one.size() == 1) {
          out.push_back(0x100 + std::uint32_t{one[0]});
        } else {
          out.push_back(0x100 + 0x10000 + ((std::uint32_t{one[0]} - 0xD800) << 10) +
                        (std::uint32_t{one[1]} - 0xDC00));
        }
      }
      return out;
    };
    const auto x = places(a);
    const auto y = places(b);
    return x == y ? 0 : (x < y ? -1 : 1);
  }

  // Byte-wise, as unsigned bytes.
  static int compareBytes(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      const auto x = static_cast<unsigned char>(a[i]);
      const auto y = static_cast<unsigned char>(b[i]);
      if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }

  static int compareFolded(std::string_view a, std::string_view b) {
    const auto fold = [](std::string_view s) {
      std::string out(s);
      for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      }
      return out;
    };
    return comparePlain(fold(a), fold(b));
  }

  const std::string& sortKey(const std::string& name) {
    auto it = m_keys.find(name);
    if (it == m_keys.end()) it = m_keys.emplace(name, m_collator.sortKey(name)).first;
    return it->second;
  }

  void sortByName() {
    std::sort(rows.begin(), rows.end(), [this](const Row& a, const Row& b) {
      if (const int byKey = compareBytes(sortKey(a.name), sortKey(b.name)); byKey != 0) {
        return byKey < 0;
      }
      if (const int byName = comparePlain(a.name, b.name); byName != 0) return byName < 0;
      return a.sequence < b.sequence;
    });
  }

  const results::NameCollator& m_collator;
  std::map<std::string, std::string> m_keys;
  std::size_t m_next = 0;
};

}  // namespace quillon::testing
