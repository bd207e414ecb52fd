#include "results/TableMerge.h"

#include "results/ResultsTable.h"

namespace quillon::results {

int mergeRows(ResultsTable& table, const std::vector<RowTexts>& rows) {
  int added = 0;
  for (const RowTexts& row : rows) {
    if (table.IsAlreadyIn(row[kPhoneColumn], row[0])) continue;
    table.AddRow(row[0], {row.begin() + 1, row.end()});
    ++added;
  }
  return added;
}

}  // namespace quillon::results
