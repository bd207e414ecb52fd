#pragma once

#include "results/TableColumns.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::journal {

// The table calls that the journal repeats on restore. The numbers are stored in the
// file: never renumber them.
enum class OpKind : std::int64_t {
  AddRow = 1,
  AppendSubItem = 2,
  SetCell = 3,
  DeleteRows = 4,
  SortByColumn = 5,
  SetCaptions = 6,
};

// One change of the table as the journal stores it. Rows are named by their journal
// row number: the order in which the journal saw them added, from 0.
struct TableOp {
  OpKind kind = OpKind::AddRow;
  // AddRow, AppendSubItem, SetCell: the row number; DeleteRows: how many rows went.
  std::int64_t row = 0;
  // SetCell, SortByColumn: the column; SetCaptions: the caption set's code.
  std::int64_t argument = 0;
  // AddRow: the name and the sub-items (packTexts); AppendSubItem, SetCell: the text;
  // DeleteRows: the row numbers (packRowNumbers).
  std::string data;

  friend bool operator==(const TableOp&, const TableOp&) = default;
};

// Texts and row numbers packed into one blob and back; nullopt for a blob that is not
// such a packing (a damaged file).
std::string packTexts(std::string_view first, const std::vector<std::string>& rest);
std::optional<std::vector<std::string>> unpackTexts(std::string_view data);
std::string packRowNumbers(const std::vector<std::uint32_t>& rows);
std::optional<std::vector<std::uint32_t>> unpackRowNumbers(std::string_view data);

// The caption sets' codes in the file.
std::int64_t captionCode(results::CaptionSet set);
std::optional<results::CaptionSet> captionSetOf(std::int64_t code);

// The index of the first operation that cannot be repeated on an empty table in this
// order (an unknown kind, a row number not added yet, a bad column or packing), or
// nullopt when every one can.
std::optional<std::size_t> firstMalformedOp(const std::vector<TableOp>& ops);

}  // namespace quillon::journal
