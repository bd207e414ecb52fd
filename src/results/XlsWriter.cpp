#include "results/XlsWriter.h"

#include "results/CompoundFile.h"
#include "results/ResultsError.h"
#include "results/XlsWorkbookStream.h"
#include "text/Utf8.h"

#include <ostream>

namespace quillon::results {
namespace {

constexpr std::size_t kMaxCellChars = 32767;

}  // namespace

void XlsWriter::checkRowCount(std::size_t rowCount) {
  if (rowCount > kMaxRows) {
    throw ExportError("The table has " + std::to_string(rowCount) +
                      " rows, more than the 65,536 an Excel 97-2003 (.xls) sheet holds; "
                      "save it as .xlsx instead");
  }
}

void XlsWriter::begin(std::size_t rowCount) {
  checkRowCount(rowCount);
  m_cells.reserve(rowCount * kColumnCount);
}

std::uint32_t XlsWriter::intern(std::string_view cell) {
  if (cell.empty()) return kNoSharedString;
  ++m_references;
  const auto [it, added] =
      m_stringIndex.try_emplace(std::string(cell), static_cast<std::uint32_t>(m_strings.size()));
  if (!added) return it->second;
  // The limit counts UTF-16 code units, as spreadsheets count characters.
  std::u16string wide = text::utf8ToUtf16(cell);
  if (wide.size() > kMaxCellChars) {
    throw ExportError("A cell holds " + std::to_string(wide.size()) +
                      " characters, more than the 32,767 a spreadsheet cell takes; "
                      "save the table as .csv or .json instead");
  }
  m_strings.push_back(std::move(wide));
  return it->second;
}

void XlsWriter::writeRow(const RowCells& cells) {
  checkRowCount(m_cells.size() / kColumnCount + 1);
  for (const std::string_view cell : cells) m_cells.push_back(intern(cell));
}

void XlsWriter::finish() {
  const std::string stream = xlsWorkbookStream(m_strings, m_references, m_cells);
  writeCompoundFile(m_out, u"Workbook", stream);
  m_out.flush();
}

}  // namespace quillon::results
