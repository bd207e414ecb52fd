#pragma once

#include "results/TableColumns.h"

#include <cstddef>

namespace quillon::results {

class ResultsTable;

// One spreadsheet format: the rows go in one by one between begin and finish. Writers
// raise ExportError for what their format cannot hold.
class RowWriter {
 public:
  virtual ~RowWriter() = default;
  virtual void begin(std::size_t rowCount) = 0;
  virtual void writeRow(const RowCells& cells) = 0;
  virtual void finish() = 0;
};

// Writes every row of the table, in the table's order, through a writer.
void writeTable(const ResultsTable& table, RowWriter& writer);

}  // namespace quillon::results
