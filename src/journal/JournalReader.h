#pragma once

#include "journal/BatchRecord.h"
#include "journal/RunRecord.h"
#include "journal/TableOp.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillon::journal {

class SqliteDatabase;

// Reads what a journal's file holds. Throws JournalError.
class JournalReader {
 public:
  explicit JournalReader(SqliteDatabase& database) : m_database(database) {}

  // The table's operations in the order they were made.
  std::vector<TableOp> ops();
  // The rows that repeating the operations gives.
  int rowCount();
  // True when the table was saved after its last change.
  bool saved();
  int runCount();
  // The run started last and its id; nullopt when no run was started.
  std::optional<std::pair<std::int64_t, RunRecord>> lastRun();
  // The batch started last and its id, each search with its run's pages; nullopt when no
  // batch was started or the journal's format has none.
  std::optional<std::pair<std::int64_t, BatchRecord>> lastBatch();

 private:
  std::vector<std::pair<std::string, std::string>> optionsOf(std::int64_t run);
  std::vector<PageRecord> pagesOf(std::int64_t run);

  SqliteDatabase& m_database;
};

}  // namespace quillon::journal
