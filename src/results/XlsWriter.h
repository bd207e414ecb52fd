#pragma once

#include "results/RowWriter.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillon::results {

// An Excel 97-2003 workbook: BIFF8 records in an OLE2 compound file, one sheet, every
// non-empty cell a Unicode text from the shared string table. The format holds at most
// 65,536 rows; more is an ExportError that suggests .xlsx. Rows are kept in memory
// until finish, which writes the whole file.
class XlsWriter final : public RowWriter {
 public:
  static constexpr std::size_t kMaxRows = 65536;

  // Raises the ExportError for a table of more rows than the format holds.
  static void checkRowCount(std::size_t rowCount);

  explicit XlsWriter(std::ostream& out) : m_out(out) {}
  void begin(std::size_t rowCount) override;
  void writeRow(const RowCells& cells) override;
  void finish() override;

 private:
  std::uint32_t intern(std::string_view cell);

  std::ostream& m_out;
  std::vector<std::uint32_t> m_cells;     // per row, ten indices into m_strings or kNoSharedString
  std::vector<std::u16string> m_strings;  // the shared strings
  std::unordered_map<std::string, std::uint32_t> m_stringIndex;
  std::uint32_t m_references = 0;
};

}  // namespace quillon::results
