// Rows read back from Quillon's .json files.

#include "results/ResultsError.h"
#include "results/RowFileReader.h"

#include <nlohmann/json.hpp>

namespace quillon::results {

std::vector<RowTexts> jsonRows(std::string_view text) {
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(text);
  } catch (const nlohmann::json::exception& error) {
    throw RowFileError(std::string("it is no JSON text (") + error.what() + ")");
  }
  if (!document.is_array()) throw RowFileError("it is no JSON array of rows");
  std::vector<RowTexts> rows;
  rows.reserve(document.size());
  for (const nlohmann::json& row : document) {
    const bool tenTexts =
        row.is_array() && row.size() == kColumnCount &&
        std::all_of(row.begin(), row.end(), [](const auto& cell) { return cell.is_string(); });
    if (!tenTexts) {
      throw RowFileError("row " + std::to_string(rows.size() + 1) +
                         " is not an array of ten texts");
    }
    RowTexts& cells = rows.emplace_back();
    for (std::size_t column = 0; column < cells.size(); ++column) {
      cells[column] = row[column].get<std::string>();
    }
  }
  return rows;
}

}  // namespace quillon::results
