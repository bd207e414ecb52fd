#pragma once

#include "results/ResultsTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillon::shell::testing {

using Rows = std::vector<std::vector<std::string>>;

// The table's ten columns in UTF-8, rows sorted, to compare with a fixture's rows.
inline Rows sortedTableRows(const results::ResultsTable& table) {
  Rows rows;
  for (int row = 0; row < table.Count(); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < 10; ++column) {
      cells.push_back(table.Cell(row, column));
    }
    rows.push_back(std::move(cells));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace quillon::shell::testing
