#include "results/RowFileReader.h"

#include "results/ResultsError.h"
#include "results/SpreadsheetExport.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace quillon::results {
namespace {

std::ifstream openFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RowFileError("cannot read " + path + ": " + std::strerror(errno));
  return in;
}

std::string fileText(const std::string& path) {
  std::ifstream in = openFile(path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw RowFileError("cannot read " + path);
  return std::move(text).str();
}

}  // namespace

std::vector<RowTexts> readRowFile(const std::string& path) {
  const SpreadsheetFormat format = formatForFileName(path);
  if (format == SpreadsheetFormat::Xls) {
    throw RowFileError(path + " is not a .json, .csv or .xlsx file of Quillon's");
  }
  // An unreadable file is said as such, before its contents are judged.
  if (format == SpreadsheetFormat::Xlsx) openFile(path);
  const std::string text = format == SpreadsheetFormat::Xlsx ? std::string() : fileText(path);
  try {
    if (format == SpreadsheetFormat::Json) return jsonRows(text);
    if (format == SpreadsheetFormat::Csv) return csvRows(text);
    return xlsxRows(path);
  } catch (const RowFileError& error) {
    throw RowFileError(path + " is not a file of ten-column rows: " + error.what());
  }
}

}  // namespace quillon::results
