// Rows read back from Quillon's .csv files: RFC 4180 as the writer writes it.

#include "results/CsvGuard.h"
#include "results/ResultsError.h"
#include "results/RowFileReader.h"

namespace quillon::results {
namespace {

[[noreturn]] void refuse(int line, const std::string& why) {
  throw RowFileError("line " + std::to_string(line) + " " + why);
}

// Reads one field from `at`, which moves past it and its comma or line end (LF or CR LF).
// Sets `lineEnd` when the record ends after it.
std::string field(std::string_view text, std::size_t& at, bool& lineEnd, int line) {
  std::string value;
  if (at < text.size() && text[at] == '"') {
    for (++at;; ++at) {
      if (at >= text.size()) refuse(line, "opens a quoted field that it never closes");
      if (text[at] != '"') {
        value += text[at];
      } else if (at + 1 < text.size() && text[at + 1] == '"') {
        value += '"';
        ++at;
      } else {
        ++at;
        break;
      }
    }
    if (text.substr(at, 2) == "\r\n") ++at;
    if (at < text.size() && text[at] != ',' && text[at] != '\n') {
      refuse(line, "has text after the closing quote of a field");
    }
  } else {
    const std::size_t end = std::min(text.find_first_of(",\n", at), text.size());
    value.assign(text.substr(at, end - at));
    if (end < text.size() && text[end] == '\n' && value.ends_with('\r')) value.pop_back();
    at = end;
  }
  lineEnd = at >= text.size() || text[at] == '\n';
  if (at < text.size()) ++at;
  return value;
}

}  // namespace

std::vector<RowTexts> csvRows(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<RowTexts> rows;
  int line = 1;
  for (std::size_t at = 0; at < text.size();) {
    const int recordLine = line;
    std::vector<std::string> fields;
    for (bool lineEnd = false; !lineEnd;) {
      const std::size_t start = at;
      fields.push_back(field(text, at, lineEnd, recordLine));
      for (std::size_t i = start; i < at; ++i) line += text[i] == '\n';
    }
    if (fields.size() != kColumnCount) {
      const std::string count = std::to_string(fields.size());
      refuse(recordLine,
             "has " + count + (fields.size() == 1 ? " field" : " fields") + ", not ten");
    }
    RowTexts& cells = rows.emplace_back();
    for (std::size_t column = 0; column < cells.size(); ++column) {
      cells[column] = withoutFormulaGuard(fields[column]);
    }
  }
  return rows;
}

}  // namespace quillon::results
