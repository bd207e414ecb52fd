// Rows read back from .xlsx files: the cells of the first sheet, columns A to J, as texts.

#include "results/ResultsError.h"
#include "results/RowFileReader.h"
#include "results/XmlReader.h"
#include "results/ZipArchive.h"
#include "text/Ascii.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace quillon::results {
namespace {

constexpr std::size_t kMaxPartBytes = std::size_t{1} << 30;
// The rows of an Excel sheet: a row past them is no file of Quillon's (and would make the
// reader hold that many rows).
constexpr int kMaxRows = 1'048'576;

// Excel and the workbook library write a character that XML cannot hold as "_xHHHH_" (and a
// text's own "_x" sequence as "_x005F_" followed by it): each such sequence back as the
// character U+HHHH.
std::string decodedText(std::string_view text) {
  std::string decoded;
  for (std::size_t at = 0; at < text.size();) {
    const std::string_view rest = text.substr(at);
    if (rest.size() >= 7 && rest.starts_with("_x") && rest[6] == '_' &&
        std::all_of(rest.begin() + 2, rest.begin() + 6,
                    [](char c) { return text::hexDigitValue(c) >= 0; })) {
      char32_t code = 0;
      for (std::size_t i = 2; i < 6; ++i)
        code = code * 16 + static_cast<char32_t>(text::hexDigitValue(rest[i]));
      text::appendUtf8(decoded, code);
      at += 7;
    } else {
      decoded += text[at++];
    }
  }
  return decoded;
}

// The column (from 0) and row (from 1) of a reference such as "B12"; -1 for a part that is
// missing.
std::pair<int, int> cellAt(std::string_view reference) {
  int column = 0;
  std::size_t at = 0;
  for (; at < reference.size() && text::isAsciiUpper(reference[at]) && column < 100000; ++at) {
    column = column * 26 + (reference[at] - 'A' + 1);
  }
  int row = 0;
  std::size_t digits = at;
  for (; digits < reference.size() && text::isAsciiDigit(reference[digits]) && row < 10000000;
       ++digits) {
    row = row * 10 + (reference[digits] - '0');
  }
  return {at > 0 ? column - 1 : -1, digits > at ? row : -1};
}

std::string_view attribute(const XmlHandler::Attributes& attributes, std::string_view name) {
  for (const auto& [key, value] : attributes) {
    if (key == name) return value;
  }
  return {};
}

// The texts of the shared string table, in order: a rich text's runs joined, its phonetic
// guide left out.
class SharedStrings final : public XmlHandler {
 public:
  void startElement(std::string_view name, const Attributes&) override {
    if (name == "si") texts.emplace_back();
    if (name == "rPh") ++m_phonetic;
    if (name == "t") m_inText = !texts.empty() && m_phonetic == 0;
  }
  void endElement(std::string_view name) override {
    if (name == "rPh") --m_phonetic;
    if (name == "t") m_inText = false;
  }
  void characters(std::string_view text) override {
    if (m_inText) texts.back().append(text);
  }

  std::vector<std::string> texts;

 private:
  int m_phonetic = 0;
  bool m_inText = false;
};

// The cells of a worksheet, by row and column.
class SheetCells final : public XmlHandler {
 public:
  explicit SheetCells(const std::vector<std::string>& shared) : m_shared(shared) {}

  void startElement(std::string_view name, const Attributes& attributes) override {
    if (name == "row") {
      const auto [column, row] = cellAt(attribute(attributes, "r"));
      m_row = row > 0 ? row : m_row + 1;
      m_column = -1;
    } else if (name == "c") {
      const auto [column, row] = cellAt(attribute(attributes, "r"));
      m_column = column >= 0 ? column : m_column + 1;
      m_type = attribute(attributes, "t");
      m_value.clear();
    } else if (name == "rPh") {
      ++m_phonetic;
    } else if (name == "v" || name == "t") {
      m_inValue = m_phonetic == 0;
    }
  }
  void endElement(std::string_view name) override {
    if (name == "c") finishCell();
    if (name == "rPh") --m_phonetic;
    if (name == "v" || name == "t") m_inValue = false;
  }
  void characters(std::string_view text) override {
    if (m_inValue) m_value.append(text);
  }

  std::map<int, RowTexts> rows;

 private:
  void finishCell() {
    std::string text;
    if (m_type == "s") {
      const auto index = std::strtoul(m_value.c_str(), nullptr, 10);
      if (m_value.empty() || index >= m_shared.size()) {
        throw RowFileError("row " + std::to_string(m_row) + " names a shared text it lacks");
      }
      text = decodedText(m_shared[index]);
    } else if (m_type == "inlineStr" || m_type == "str") {
      text = decodedText(m_value);
    } else {
      text = m_value;  // a number, as written
    }
    if (text.empty()) return;
    if (m_row < 1 || m_row > kMaxRows) {
      throw RowFileError("a cell lies outside the rows 1 to 1,048,576 of a sheet");
    }
    if (m_column >= kColumnCount) {
      throw RowFileError("row " + std::to_string(m_row) +
                         " has a cell past the ten columns A to J");
    }
    rows[m_row][static_cast<std::size_t>(m_column)] = std::move(text);
  }

  const std::vector<std::string>& m_shared;
  int m_row = 0;
  int m_column = -1;
  std::string m_type;
  std::string m_value;
  int m_phonetic = 0;
  bool m_inValue = false;
};

// The first worksheet: the one the workbook library writes, else the first by name.
const ZipEntry* firstSheet(const std::vector<ZipEntry>& entries) {
  const ZipEntry* first = nullptr;
  for (const ZipEntry& entry : entries) {
    if (entry.name == "xl/worksheets/sheet1.xml") return &entry;
    if (entry.name.starts_with("xl/worksheets/") && entry.name.ends_with(".xml") &&
        entry.name.find('/', 14) == std::string::npos && (!first || entry.name < first->name)) {
      first = &entry;
    }
  }
  return first;
}

}  // namespace

std::vector<RowTexts> xlsxRows(const std::string& path) {
  try {
    ZipArchive zip(path);
    const std::vector<ZipEntry> entries = zip.entries();
    SharedStrings shared;
    for (const ZipEntry& entry : entries) {
      if (entry.name == "xl/sharedStrings.xml") readXml(zip.read(entry, kMaxPartBytes), shared);
    }
    const ZipEntry* sheet = firstSheet(entries);
    if (sheet == nullptr) throw RowFileError("it holds no worksheet");
    SheetCells cells(shared.texts);
    readXml(zip.read(*sheet, kMaxPartBytes), cells);
    std::vector<RowTexts> rows(
        cells.rows.empty() ? 0 : static_cast<std::size_t>(cells.rows.rbegin()->first));
    for (auto& [row, texts] : cells.rows)
      rows[static_cast<std::size_t>(row - 1)] = std::move(texts);
    return rows;
  } catch (const ZipError& error) {
    throw RowFileError(std::string("it is no .xlsx workbook (") + error.what() + ")");
  }
}

}  // namespace quillon::results
