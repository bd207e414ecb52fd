#pragma once

#include "results/TableColumns.h"
#include "support/TemporaryFolder.h"
#include "text/Utf8.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// Helpers for checking written files with readers that share no code with ours:
// Debian's Python with openpyxl, xlrd, csv and json.

namespace quillon::results::testing {

using TempFolder = quillon::testing::TemporaryFolder;

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Runs a Python script with the file's path as its argument; returns what it printed.
inline std::string runPython(const std::string& script, const std::string& path,
                             int* exitStatus = nullptr) {
  const std::string scriptPath = path + ".py";
  writeFile(scriptPath, script);
  const std::string command = "/usr/bin/python3 '" + scriptPath + "' '" + path + "' 2>&1";
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int status = ::pclose(pipe);
    if (exitStatus != nullptr) *exitStatus = status;
  }
  std::remove(scriptPath.c_str());
  return output;
}

// The readers print every row as a line of tab-separated cells, each the hex of its UTF-8.
inline constexpr const char* kPrintRowsPython = R"PY(
def emit(rows):
    for row in rows:
        cells = ['' if c is None else str(c) for c in row]
        cells += [''] * (10 - len(cells))
        print('\t'.join(c.encode('utf-8', 'surrogatepass').hex() for c in cells))
)PY";

// openpyxl, decoding the _xHHHH_ escapes as Excel does when it reads a cell's text.
inline const std::string kXlsxReader = std::string(kPrintRowsPython) + R"PY(
import re, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
assert len(book.worksheets) == 1
sheet = book.worksheets[0]
unescape = lambda t: re.sub(r'_x([0-9A-Fa-f]{4})_', lambda m: chr(int(m.group(1), 16)), t)
rows = []
for row in sheet.iter_rows():
    for cell in row:
        assert cell.value is None or cell.data_type in ('s', 'inlineStr'), (cell.data_type, cell.value)
    rows.append([None if c.value is None else unescape(c.value) for c in row])
emit(rows)
)PY";

// xlrd, which checks the compound file and the BIFF8 records as it reads them.
inline const std::string kXlsReader = std::string(kPrintRowsPython) + R"PY(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
assert book.biff_version == 80, book.biff_version
assert book.nsheets == 1
sheet = book.sheet_by_index(0)
rows = []
for r in range(sheet.nrows):
    row = []
    for c in range(sheet.ncols):
        cell = sheet.cell(r, c)
        assert cell.ctype in (xlrd.XL_CELL_TEXT, xlrd.XL_CELL_EMPTY), cell
        row.append(cell.value)
    rows.append(row)
emit(rows)
)PY";

inline const std::string kCsvReader = std::string(kPrintRowsPython) + R"PY(
import csv, io, sys
data = open(sys.argv[1], 'rb').read()
assert data.startswith(b'\xef\xbb\xbf')
text = data[3:].decode('utf-8')
if text:
    assert text.endswith('\r\n')
rows = list(csv.reader(io.StringIO(text, newline=''), strict=True))
for row in rows:
    assert len(row) == 10, row
emit(rows)
)PY";

inline const std::string kJsonReader = std::string(kPrintRowsPython) + R"PY(
import json, sys
rows = json.load(open(sys.argv[1], encoding='utf-8'))
assert isinstance(rows, list)
for row in rows:
    assert isinstance(row, list) and len(row) == 10 and all(isinstance(c, str) for c in row), row
emit(rows)
)PY";

inline std::string hexOf(const std::string& bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char c : bytes) {
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
  }
  return out;
}

// What the readers print for rows of UTF-8 cells; trailing rows that are wholly
// empty are left out, as spreadsheet readers do not see them.
inline std::string expectedReading(const std::vector<std::array<std::string, kColumnCount>>& rows,
                                   bool dropTrailingEmptyRows) {
  std::size_t count = rows.size();
  if (dropTrailingEmptyRows) {
    while (count > 0) {
      bool empty = true;
      for (const auto& cell : rows[count - 1]) empty = empty && cell.empty();
      if (!empty) break;
      --count;
    }
  }
  std::string out;
  for (std::size_t r = 0; r < count; ++r) {
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      if (c > 0) out += '\t';
      out += hexOf(rows[r][c]);
    }
    out += '\n';
  }
  return out;
}

}  // namespace quillon::results::testing

namespace quillon::results::testing {

using Rows = std::vector<std::array<std::string, kColumnCount>>;

// Cells that trip writers up: leading zeros and "+", blanks, quotes, separators, line
// ends, NUL and other controls, the cp1252 letters outside Latin-1, the five bytes cp1252
// leaves undefined (as a built-in directory's row brings them in, converted from cp1252),
// a literal "_x0041_", empty cells, and texts of other scripts with characters outside the
// Basic Multilingual Plane.
inline Rows awkwardRows() {
  const auto fromCp1252 = [](std::array<std::string, kColumnCount> row) {
    for (std::string& cell : row) cell = text::cp1252ToUtf8(cell);
    return row;
  };
  Rows rows;
  rows.push_back({"Bar Pepe", "Restaurantes", "", "0034 912 345 678", " Calle Mayor, 1 ", "08001",
                  "Barcelona", "+34", "http://www.barpepe.es", ""});
  rows.push_back(
      fromCp1252({"Caf\xE9 \"El Sol\"", "a,b", "line\r\nbreak", "line\nfeed", "cr\ronly",
                  std::string("nul\0byte", 8), "\x01\x1F\x7F", "\x80 \x93quoted\x94 \x8A\x9F",
                  "\x81\x8D\x8F\x90\x9D", "_x0041_ and _x005f_"}));
  rows.push_back({"", "", "", "", "", "", "", "", "", ""});
  rows.push_back({"Only name", "", "", "", "", "", "", "", "", ""});
  rows.push_back(
      fromCp1252({"\xD1"
                  "and\xFA",
                  "", "", "", "", "", "", "", "", "info@nandu.it"}));
  rows.push_back({"Hydraulik Łódź – Żółć Sp. z o.o.", "Οδοντίατρος Παπαδόπουλος", "",
                  "+48 42 555 12 34", "Οδός Ερμού 5", "90-001", "Łódź", "Москва",
                  "İstanbul Çağrı Şişli", "😀 emoji 🏠 ǅ"});
  return rows;
}

// The cells that a .csv should give back: each that a spreadsheet would start a formula
// with (=, +, -, @, tab, CR) behind an apostrophe; the workbook formats keep every cell.
inline Rows csvCells(Rows rows) {
  for (auto& row : rows) {
    for (std::string& cell : row) {
      if (!cell.empty() && (cell[0] == '=' || cell[0] == '+' || cell[0] == '-' || cell[0] == '@' ||
                            cell[0] == '\t' || cell[0] == '\r')) {
        std::string guarded(1, '\'');  // appended: GCC 12 -O3 warns falsely on insert(0, ...)
        cell = guarded.append(cell);
      }
    }
  }
  return rows;
}

// Feeds rows to a writer as a table would.
template <class Writer>
void writeRows(Writer& writer, const Rows& rows) {
  writer.begin(rows.size());
  for (const auto& row : rows) {
    RowCells cells;
    for (std::size_t c = 0; c < kColumnCount; ++c) cells[c] = row[c];
    writer.writeRow(cells);
  }
  writer.finish();
}

}  // namespace quillon::results::testing
