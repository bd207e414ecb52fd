#pragma once

#include <string>
#include <string_view>

namespace quillon::results {

class ResultsTable;

// The file formats, chosen by the file name's extension.
enum class SpreadsheetFormat { Xls, Xlsx, Csv, Json };

// .xlsx, .csv and .json (any letter case) give their format; every other name, with
// .xls or without any extension, gives Excel 97-2003, the save dialog's default.
SpreadsheetFormat formatForFileName(std::string_view fileName);

// Writes every row of the table, in its current order, to a spreadsheet file: one sheet,
// the cells from A1, no header row, every cell a text exactly as in the table. The file
// is written beside the target and renamed into place; on failure an ExportError
// carries the reason and the file name, and an existing file stays as it was. The table
// is never changed. fileName is a path in the file system's own encoding.
void ExportToSpreadsheet(const ResultsTable& table, const std::string& fileName);

}  // namespace quillon::results
