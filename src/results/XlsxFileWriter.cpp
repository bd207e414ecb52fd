#include "results/XlsxFileWriter.h"

#include "results/ResultsError.h"
#include "results/XlsxArchiveCheck.h"
#include "text/Cp1252.h"

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
void appendCellText(std::string& out, std::string_view cp1252) {
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const auto byte = static_cast<unsigned char>(cp1252[i]);
    if (byte == 0) {
      out += "_x0000_";
    } else if (byte == '_' && i + 6 < cp1252.size() && cp1252[i + 1] == 'x' &&
               isHex(cp1252[i + 2]) && isHex(cp1252[i + 3]) && isHex(cp1252[i + 4]) &&
               isHex(cp1252[i + 5]) && cp1252[i + 6] == '_') {
      out += "_x005F_";
    } else if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else {
      const char16_t c = text::charFromCp1252(byte);
      if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
  }
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
    if (cells[column].size() > kMaxCellChars) {
      throw ExportError("A cell holds " + std::to_string(cells[column].size()) +
                        " characters, more than the 32,767 a spreadsheet cell takes; "
                        "save the table as .csv or .json instead");
    }
    m_utf8.clear();
    appendCellText(m_utf8, cells[column]);
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
