#include "results/SpreadsheetExport.h"

#include "results/AtomicFile.h"
#include "results/CsvWriter.h"
#include "results/JsonWriter.h"
#include "results/ResultsError.h"
#include "results/ResultsTable.h"
#include "results/XlsWriter.h"
#include "results/XlsxFileWriter.h"
#include "text/Ascii.h"

namespace quillon::results {

SpreadsheetFormat formatForFileName(std::string_view fileName) {
  const std::size_t slash = fileName.rfind('/');
  const std::string_view base =
      slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
  const std::size_t dot = base.rfind('.');
  if (dot == std::string_view::npos) return SpreadsheetFormat::Xls;
  const std::string extension = text::asciiLower(base.substr(dot + 1));
  if (extension == "xlsx") return SpreadsheetFormat::Xlsx;
  if (extension == "csv") return SpreadsheetFormat::Csv;
  if (extension == "json") return SpreadsheetFormat::Json;
  return SpreadsheetFormat::Xls;
}

void ExportToSpreadsheet(const ResultsTable& table, const std::string& fileName) {
  const auto withName = [&](const ExportError& error) {
    return ExportError("Cannot save \"" + fileName + "\": " + error.what());
  };
  const SpreadsheetFormat format = formatForFileName(fileName);
  try {
    // A table the format cannot hold fails before anything touches the disk.
    if (format == SpreadsheetFormat::Xls)
      XlsWriter::checkRowCount(static_cast<std::size_t>(table.Count()));
  } catch (const ExportError& error) {
    throw withName(error);
  }
  AtomicFile file(fileName);
  try {
    switch (format) {
      case SpreadsheetFormat::Xls: {
        XlsWriter writer(file.stream());
        writeTable(table, writer);
        break;
      }
      case SpreadsheetFormat::Xlsx: {
        XlsxFileWriter writer(file.temporaryPath());
        writeTable(table, writer);
        break;
      }
      case SpreadsheetFormat::Csv: {
        CsvWriter writer(file.stream());
        writeTable(table, writer);
        break;
      }
      case SpreadsheetFormat::Json: {
        JsonWriter writer(file.stream());
        writeTable(table, writer);
        break;
      }
    }
  } catch (const ExportError& error) {
    throw withName(error);
  }
  file.commit();
}

}  // namespace quillon::results
