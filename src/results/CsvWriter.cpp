#include "results/CsvWriter.h"

#include "text/Utf8.h"

#include <ostream>
#include <string_view>

namespace quillon::results {
namespace {

// Listing texts come from the web: a name such as =HYPERLINK(...) must not run as a
// formula when the file is opened in a spreadsheet, which takes these first characters
// for the start of one. An apostrophe in front makes any spreadsheet show the text.
bool startsLikeAFormula(std::string_view cell) {
  return !cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

}  // namespace

void CsvWriter::begin(std::size_t /*rowCount*/) { m_out << "\xEF\xBB\xBF"; }

void CsvWriter::writeRow(const RowCells& cells) {
  m_line.clear();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) m_line += ',';
    std::string field = startsLikeAFormula(cells[i]) ? "'" : "";
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
