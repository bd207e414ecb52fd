#include "results/CsvWriter.h"

#include "results/CsvGuard.h"
#include "text/Utf8.h"

#include <ostream>
#include <string_view>

namespace quillon::results {

void CsvWriter::begin(std::size_t /*rowCount*/) { m_out << "\xEF\xBB\xBF"; }

void CsvWriter::writeRow(const RowCells& cells) {
  m_line.clear();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) m_line += ',';
    std::string field = needsFormulaGuard(cells[i]) ? "'" : "";
    field += text::wellFormedUtf8(cells[i]);
    if (field.find_first_of("\",\r\n") == std::string::npos) {
      m_line += field;
      continue;
    }
    m_line += '"';
    for (const char c : field) {
      if (c == '"') m_line += '"';
      m_line += c;
    }
    m_line += '"';
  }
  m_line += "\r\n";
  m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
}

void CsvWriter::finish() { m_out.flush(); }

}  // namespace quillon::results
