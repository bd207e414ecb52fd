#pragma once

#include "journal/Journal.h"
#include "results/ExportTestSupport.h"
#include "results/ResultsTable.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace quillon::journal::testing {

using results::testing::readFile;
using results::testing::TempFolder;
using results::testing::writeFile;

// Tables with the Spanish collation, whatever the machine's locale.
inline std::unique_ptr<results::ResultsTable> newTable() {
  return std::make_unique<results::ResultsTable>(results::NameCollator("es_ES"));
}

// Everything a user or a writer can see of a table, as lines: rows in order with every
// sub-item (also past the last column), the header sort and the captions.
inline std::vector<std::string> contentsOf(const results::ResultsTable& table) {
  std::vector<std::string> lines;
  for (int row = 0; row < table.Count(); ++row) {
    std::string line = table.Cell(row, 0);
    for (const std::string& item : table.SubItems(table.RowAt(row))) line += "|" + item;
    lines.push_back(std::move(line));
  }
  lines.push_back("sort " + std::to_string(table.SortColumn()) +
                  (table.SortAscending() ? " up" : " down"));
  std::string captions = "captions";
  for (int column = 0; column < results::kColumnCount; ++column) {
    captions += "|" + table.Caption(column);
  }
  lines.push_back(captions);
  return lines;
}

// The contents of a fresh table restored from the journal file at the path.
inline std::vector<std::string> restoredContents(const std::string& path) {
  auto table = newTable();
  Journal journal(path);
  journal.restore(*table);
  journal.detach();
  return contentsOf(*table);
}

// The message of the JournalError that a call raises, or "" when it raises none.
template <class Call>
std::string journalErrorOf(Call call, JournalError::Reason* reason = nullptr) {
  try {
    call();
  } catch (const JournalError& error) {
    if (reason != nullptr) *reason = error.reason();
    return error.what();
  }
  return "";
}

}  // namespace quillon::journal::testing
