#include "results/RowWriter.h"

#include "results/ResultsTable.h"

namespace quillon::results {

void writeTable(const ResultsTable& table, RowWriter& writer) {
  writer.begin(static_cast<std::size_t>(table.Count()));
  table.ForEachRow([&](const RowCells& cells) { writer.writeRow(cells); });
  writer.finish();
}

}  // namespace quillon::results
