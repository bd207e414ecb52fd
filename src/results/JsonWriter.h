#pragma once

#include "results/RowWriter.h"

#include <iosfwd>
#include <string>

namespace quillon::results {

// JSON: an array of rows, each an array of ten strings, one row a line, in UTF-8. Control
// characters (below U+0020 and U+007F to U+009F), quotes and backslashes are escaped.
class JsonWriter final : public RowWriter {
 public:
  explicit JsonWriter(std::ostream& out) : m_out(out) {}
  void begin(std::size_t rowCount) override;
  void writeRow(const RowCells& cells) override;
  void finish() override;

 private:
  std::ostream& m_out;
  std::string m_line;
  bool m_firstRow = true;
};

}  // namespace quillon::results
