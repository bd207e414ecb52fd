#pragma once

#include "results/TableColumns.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::results {

// One row of a file: its ten cells, UTF-8.
using RowTexts = std::array<std::string, kColumnCount>;

// Reads back a file that Quillon wrote, by its extension: .json (an array of arrays of ten
// texts), .csv (ten fields a record; the apostrophe that guards a formula taken off) or
// .xlsx (the first sheet, cells in columns A to J). Throws RowFileError naming the file
// when it cannot be read or is not a file of ten-column rows.
std::vector<RowTexts> readRowFile(const std::string& path);

// The rows of the texts of a .json or .csv file; throws RowFileError saying what is wrong
// (without the file's name).
std::vector<RowTexts> jsonRows(std::string_view text);
std::vector<RowTexts> csvRows(std::string_view text);
// The rows of an .xlsx file's first sheet; throws RowFileError as above.
std::vector<RowTexts> xlsxRows(const std::string& path);

}  // namespace quillon::results
