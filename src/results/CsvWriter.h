#pragma once

#include "results/RowWriter.h"

#include <iosfwd>
#include <string>

namespace quillon::results {

// CSV as RFC 4180 has it: UTF-8 with a byte order mark, ten fields a row, a field in
// double quotes (its quotes doubled) when it holds a quote, a comma, CR or LF, and
// every row ended by CR LF. A cell that begins with =, +, -, @, a tab or a carriage
// return gets a leading apostrophe, so that no spreadsheet runs it as a formula (see
// CsvGuard).
class CsvWriter final : public RowWriter {
 public:
  explicit CsvWriter(std::ostream& out) : m_out(out) {}
  void begin(std::size_t rowCount) override;
  void writeRow(const RowCells& cells) override;
  void finish() override;

 private:
  std::ostream& m_out;
  std::string m_line;
};

}  // namespace quillon::results
