// The spreadsheet writers on random tables, every file read back by the readers of
// SpreadsheetReaders.h (which share no code with the writers): .json and .xls give back
// every cell exactly (a malformed UTF-8 sequence as U+FFFD), .csv too but for an apostrophe
// before each cell that begins as a formula would (=, +, -, @, tab, CR), after any
// apostrophes of its own; .xlsx is a well-formed archive whose sheet holds every cell. Cells
// are a built-in directory's texts (cp1252 converted to UTF-8) or any bytes.
// The .xlsx library works through temporary files, so it runs only when the first byte's low three
// bits are 001 (one input in eight).

#include "FuzzSupport.h"
#include "SpreadsheetReaders.h"
#include "results/CsvWriter.h"
#include "results/JsonWriter.h"
#include "results/ResultsError.h"
#include "results/XlsWriter.h"
#include "results/XlsxFileWriter.h"
#include "support/TemporaryFolder.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using namespace quillon;
using Table = std::vector<std::array<std::string, 10>>;

constexpr std::size_t kMaxCellChars = 32767;

fuzz::Rows expectedRows(const Table& table) {
  fuzz::Rows rows;
  for (const auto& row : table) {
    std::vector<std::u16string> cells;
    for (const std::string& cell : row) cells.push_back(text::utf8ToUtf16(cell));
    rows.push_back(std::move(cells));
  }
  return rows;
}

template <class Writer, class Target>
void write(const Table& table, Target&& target) {
  Writer writer(target);
  writer.begin(table.size());
  for (const auto& row : table) {
    results::RowCells cells;
    for (std::size_t i = 0; i < row.size(); ++i) cells[i] = row[i];
    writer.writeRow(cells);
  }
  writer.finish();
}

// A file in a folder of its own under the temporary folder, removed at exit.
std::string scratchFile() {
  static const testing::TemporaryFolder folder;
  return folder.file("table.xlsx");
}

// An XML text with its entities and Excel's _xHHHH_ escapes resolved, as UTF-16.
std::optional<std::u16string> xmlText(std::string_view raw) {
  std::string utf8;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '&') {
      utf8 += raw[i];
      continue;
    }
    const std::size_t end = raw.find(';', i);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view entity = raw.substr(i + 1, end - i - 1);
    if (entity == "amp")
      utf8 += '&';
    else if (entity == "lt")
      utf8 += '<';
    else if (entity == "gt")
      utf8 += '>';
    else if (entity == "quot")
      utf8 += '"';
    else if (entity == "apos")
      utf8 += '\'';
    else
      return std::nullopt;
    i = end;
  }
  auto wide = fuzz::decodeUtf8(utf8);
  if (!wide) return std::nullopt;
  std::u16string out;
  for (std::size_t i = 0; i < wide->size(); ++i) {
    const std::u16string& w = *wide;
    if (w[i] == u'_' && i + 6 < w.size() && w[i + 1] == u'x' && w[i + 6] == u'_') {
      unsigned value = 0;
      bool hex = true;
      for (std::size_t k = i + 2; k < i + 6; ++k) {
        const char16_t c = w[k];
        value <<= 4;
        if (c >= u'0' && c <= u'9')
          value |= c - u'0';
        else if (c >= u'a' && c <= u'f')
          value |= c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
          value |= c - u'A' + 10;
        else
          hex = false;
      }
      if (hex) {
        out.push_back(static_cast<char16_t>(value));
        i += 6;
        continue;
      }
    }
    out.push_back(w[i]);
  }
  return out;
}

// The cells of an inline-string sheet, by their A1 references.
std::optional<fuzz::Rows> sheetCells(std::string_view xml) {
  fuzz::Rows rows;
  for (std::size_t at = xml.find("<c "); at != std::string_view::npos;
       at = xml.find("<c ", at + 1)) {
    const std::size_t ref = xml.find("r=\"", at);
    const std::size_t close = xml.find("</c>", at);
    if (ref == std::string_view::npos || close == std::string_view::npos || ref > close) {
      return std::nullopt;
    }
    std::size_t pos = ref + 3;
    if (pos >= xml.size() || xml[pos] < 'A' || xml[pos] > 'J') return std::nullopt;
    const std::size_t column = static_cast<std::size_t>(xml[pos++] - 'A');
    std::size_t row = 0;
    while (pos < xml.size() && xml[pos] >= '0' && xml[pos] <= '9')
      row = row * 10 + static_cast<std::size_t>(xml[pos++] - '0');
    if (row == 0 || xml[pos] != '"') return std::nullopt;
    const std::size_t t = xml.find("<t", pos);
    const std::size_t textStart = t == std::string_view::npos ? t : xml.find('>', t);
    const std::size_t textEnd = xml.find("</t>", pos);
    if (t > close || textStart > close || textEnd > close) return std::nullopt;
    auto text = xmlText(xml.substr(textStart + 1, textEnd - textStart - 1));
    if (!text) return std::nullopt;
    if (rows.size() < row) rows.resize(row, std::vector<std::u16string>(10));
    rows[row - 1][column] = std::move(*text);
  }
  return rows;
}

bool isHexByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The characters a cell takes in the .xlsx writer's input to the library: its code points,
// and a NUL and the underscore of a literal "_xHHHH_" go in as six-character escapes more.
std::size_t xlsxLength(std::string_view cell) {
  const std::u16string wide = text::utf8ToUtf16(cell);
  std::size_t length = wide.size();
  for (const char16_t c : wide) length -= c >= 0xDC00 && c <= 0xDFFF ? 1 : 0;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    if (cell[i] == '\0') length += 6;
    if (cell[i] == '_' && i + 6 < cell.size() && cell[i + 1] == 'x' && isHexByte(cell[i + 2]) &&
        isHexByte(cell[i + 3]) && isHexByte(cell[i + 4]) && isHexByte(cell[i + 5]) &&
        cell[i + 6] == '_')
      length += 6;
  }
  return length;
}

// Without its trailing rows of empty cells: the workbook formats store only used rows.
fuzz::Rows trimmed(fuzz::Rows rows) {
  while (!rows.empty() && std::all_of(rows.back().begin(), rows.back().end(),
                                      [](const auto& c) { return c.empty(); }))
    rows.pop_back();
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteReader in(fuzz::bytesOf(data, size));
  const std::uint8_t options = in.byte();
  Table table(in.below(24));
  int longCells = 0;
  bool tooLong = false;      // over what a workbook cell holds
  bool tooLongXlsx = false;  // over what the .xlsx library takes, escapes included
  for (auto& row : table) {
    for (std::string& cell : row) {
      const std::uint8_t kind = in.byte();
      if (kind >= 0xFC && longCells < 1 && (options & 0x30) == 0x10) {
        // Now and then a long cell (in one input of four at most, one per input: every
        // character costs in each writer and reader, and the runs must stay quick): it
        // crosses record boundaries in .xls, and past 32,767 characters the workbook formats
        // refuse it.
        ++longCells;
        const std::string piece(in.text(8));
        const std::size_t times = 1 + in.below(64) * 80;
        for (std::size_t i = 0; i < times && !piece.empty(); ++i) cell += piece;
      } else {
        cell = std::string(in.text(kind % 12));
      }
      if ((kind & 1) == 0) cell = text::cp1252ToUtf8(cell);
      // The workbook formats count UTF-16 code units.
      const std::size_t units = text::utf8ToUtf16(cell).size();
      tooLong = tooLong || units > kMaxCellChars;
      tooLongXlsx = tooLongXlsx || units > kMaxCellChars || xlsxLength(cell) > kMaxCellChars;
    }
  }
  const fuzz::Rows expected = expectedRows(table);

  fuzz::Rows expectedCsv = expected;
  for (auto& row : expectedCsv) {
    for (std::u16string& cell : row) {
      // Leading apostrophes are skipped: "'=1" is written "''=1", so that it reads back.
      const std::size_t first = cell.find_first_not_of(u'\'');
      if (first != std::u16string::npos &&
          std::u16string_view(u"=+-@\t\r").find(cell[first]) != std::u16string_view::npos)
        cell.insert(0, u"'");
    }
  }
  std::ostringstream csv;
  write<results::CsvWriter>(table, csv);
  FUZZ_CHECK(fuzz::readCsv(csv.str()) == expectedCsv);

  std::ostringstream json;
  write<results::JsonWriter>(table, json);
  FUZZ_CHECK(fuzz::readJson(json.str()) == expected);

  std::ostringstream xls;
  try {
    write<results::XlsWriter>(table, xls);
    FUZZ_CHECK(!tooLong);
    FUZZ_CHECK(fuzz::readXls(xls.str()) == trimmed(expected));
  } catch (const results::ExportError& error) {
    if (!tooLong) std::fprintf(stderr, "xls: %s\n", error.what());
    FUZZ_CHECK(tooLong);
  }

  if ((options & 7) == 1) {
    const std::string path = scratchFile();
    try {
      write<results::XlsxFileWriter>(table, path);
      FUZZ_CHECK(!tooLongXlsx);
      std::ifstream file(path, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
      const auto names = fuzz::zipEntryNames(bytes);
      FUZZ_CHECK(names && names->count("[Content_Types].xml") && names->count("xl/workbook.xml"));
      const auto sheet = fuzz::zipEntry(bytes, "xl/worksheets/sheet1.xml");
      FUZZ_CHECK(sheet.has_value());
      FUZZ_CHECK(sheetCells(*sheet) == trimmed(expected));
    } catch (const results::ExportError& error) {
      if (!tooLongXlsx) std::fprintf(stderr, "xlsx: %s\n", error.what());
      FUZZ_CHECK(tooLongXlsx);
    }
    std::remove(path.c_str());
  }
  return 0;
}
