#pragma once

#include <string>
#include <vector>

namespace quillon::cli::testing {

// Reads what the exporters and the capture command write: a JSON array of arrays of
// strings. Returns false on anything else.
bool parseJsonRows(const std::string& json, std::vector<std::vector<std::string>>& rows);

// Reads a fixture's rows.tsv: UTF-8, one row a line, tab-separated cells.
std::vector<std::vector<std::string>> readTsvRows(const std::string& path);

}  // namespace quillon::cli::testing
