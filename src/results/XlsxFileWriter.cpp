#include "results/XlsxFileWriter.h"

#include "results/ResultsError.h"
#include "results/XlsxArchiveCheck.h"
#include "text/Utf8.h"

#include <cstdio>
#include <utility>
#include <xlsxwriter.h>

namespace quillon::results {
namespace {

constexpr std::size_t kMaxCellChars = 32767;

bool isHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Excel reads "_xHHHH_" in a cell's text as the character U+HHHH. The library writes the
// control characters in that form itself but cannot take a NUL, which would end its C
// string, so NUL goes in as "_x0000_"; and a text that holds such a sequence literally
// gets its underscore written as "_x005F_", so that it reads back as itself.
// The text goes in as well-formed UTF-8 (a malformed sequence as U+FFFD), which the format
// requires. Returns the number of UTF-16 code units, which is what the cell limit counts.
std::size_t appendCellText(std::string& out, std::string_view cell) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < cell.size();) {
    const std::size_t start = i;
    const char32_t c = text::nextCodePoint(cell, i);
    units += c > 0xFFFF ? 2 : 1;
    if (c == 0) {
      out += "_x0000_";
    } else if (c == '_' && start + 6 < cell.size() && cell[start + 1] == 'x' &&
               isHex(cell[start + 2]) && isHex(cell[start + 3]) && isHex(cell[start + 4]) &&
               isHex(cell[start + 5]) && cell[start + 6] == '_') {
      out += "_x005F_";
    } else if (c == 0xFFFD) {
      out += "\xEF\xBF\xBD";
    } else {
      out.append(cell.substr(start, i - start));
    }
  }
  return units;
}

[[noreturn]] void fail(const std::string& what, lxw_error error) {
  throw ExportError(what + ": " + lxw_strerror(error));
}

}  // namespace

XlsxFileWriter::XlsxFileWriter(std::string path) : m_path(std::move(path)) {}

XlsxFileWriter::~XlsxFileWriter() {
  // An unfinished workbook is closed only to free it; what it wrote is discarded.
  if (m_workbook != nullptr) workbook_close(m_workbook);
}

void XlsxFileWriter::begin(std::size_t rowCount) {
  if (rowCount > kMaxRows) {
    throw ExportError("The table has " + std::to_string(rowCount) +
                      " rows, more than the 1,048,576 an Excel sheet holds; "
                      "save it as .csv or .json instead");
  }
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  m_workbook = workbook_new_opt(m_path.c_str(), &options);
  if (m_workbook == nullptr) throw ExportError("The workbook could not be created");
  m_worksheet = workbook_add_worksheet(m_workbook, "Sheet1");
  if (m_worksheet == nullptr) throw ExportError("The worksheet could not be created");
}

void XlsxFileWriter::writeRow(const RowCells& cells) {
  if (m_row >= kMaxRows) begin(kMaxRows + 1);
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (cells[column].empty()) continue;
    m_utf8.clear();
    if (const std::size_t units = appendCellText(m_utf8, cells[column]); units > kMaxCellChars) {
      throw ExportError("A cell holds " + std::to_string(units) +
                        " characters, more than the 32,767 a spreadsheet cell takes; "
                        "save the table as .csv or .json instead");
    }
    const lxw_error error = worksheet_write_string(
        m_worksheet, m_row, static_cast<lxw_col_t>(column), m_utf8.c_str(), nullptr);
    if (error != LXW_NO_ERROR) fail("A cell could not be written", error);
  }
  ++m_row;
}

void XlsxFileWriter::finish() {
  lxw_workbook* workbook = std::exchange(m_workbook, nullptr);
  const lxw_error error = workbook_close(workbook);
  if (error != LXW_NO_ERROR) fail("The workbook could not be written", error);
  checkXlsxArchive(m_path);
}

}  // namespace quillon::results
