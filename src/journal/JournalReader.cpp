#include "journal/JournalReader.h"

#include "journal/SqliteDatabase.h"
#include "journal/SqliteStatement.h"

namespace quillon::journal {

std::vector<TableOp> JournalReader::ops() {
  SqliteStatement query(m_database, "SELECT kind, row, argument, data FROM ops ORDER BY seq");
  std::vector<TableOp> ops;
  while (query.step()) {
    ops.push_back({static_cast<OpKind>(query.integer(0)), query.integer(1), query.integer(2),
                   query.bytes(3)});
  }
  return ops;
}

int JournalReader::rowCount() {
  return static_cast<int>(m_database.queryInteger(
      "SELECT coalesce(sum(CASE kind WHEN 1 THEN 1 WHEN 4 THEN -row ELSE 0 END), 0) FROM ops"));
}

bool JournalReader::saved() {
  return m_database.queryInteger("SELECT value FROM state WHERE key = 'saved'") != 0;
}

int JournalReader::runCount() {
  return static_cast<int>(m_database.queryInteger("SELECT count(*) FROM runs"));
}

std::optional<std::pair<std::int64_t, RunRecord>> JournalReader::lastRun() {
  SqliteStatement query(m_database,
                        "SELECT id, mode, start_address, next_address, ended, end_reason "
                        "FROM runs ORDER BY id DESC LIMIT 1");
  if (!query.step()) return std::nullopt;
  const std::int64_t id = query.integer(0);
  RunRecord run;
  run.start.mode = query.bytes(1);
  run.start.startAddress = query.bytes(2);
  run.nextAddress = query.bytes(3);
  run.ended = query.integer(4) != 0;
  run.endReason = query.bytes(5);
  run.start.options = optionsOf(id);
  run.pages = pagesOf(id);
  return std::pair{id, std::move(run)};
}

std::optional<std::pair<std::int64_t, BatchRecord>> JournalReader::lastBatch() {
  if (m_database.queryInteger(
          "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'batches'") == 0) {
    return std::nullopt;
  }
  SqliteStatement query(m_database,
                        "SELECT id, mode, list_size, shard, ended FROM batches "
                        "ORDER BY id DESC LIMIT 1");
  if (!query.step()) return std::nullopt;
  const std::int64_t id = query.integer(0);
  BatchRecord batch;
  batch.start.mode = query.bytes(1);
  batch.start.listSize = static_cast<int>(query.integer(2));
  batch.start.shard = query.bytes(3);
  batch.ended = query.integer(4) != 0;
  SqliteStatement options(m_database,
                          "SELECT name, value FROM batch_options WHERE batch = ?1 ORDER BY rowid");
  options.bind(1, id);
  while (options.step()) batch.start.options.emplace_back(options.bytes(0), options.bytes(1));
  SqliteStatement searches(m_database,
                           "SELECT position, address, state, reason, rows_before, rows, run "
                           "FROM searches WHERE batch = ?1 ORDER BY position");
  searches.bind(1, id);
  while (searches.step()) {
    SearchRecord search;
    search.position = static_cast<int>(searches.integer(0));
    search.address = searches.bytes(1);
    const std::int64_t state = searches.integer(2);
    // An unknown state is read as unfinished: the search is read again rather than lost.
    search.state =
        state >= 0 && state <= 3 ? static_cast<SearchState>(state) : SearchState::Unfinished;
    search.reason = searches.bytes(3);
    search.rowsBefore = static_cast<int>(searches.integer(4));
    search.rows = static_cast<int>(searches.integer(5));
    if (const std::int64_t run = searches.integer(6); run != 0) search.pages = pagesOf(run);
    batch.searches.push_back(std::move(search));
  }
  return std::pair{id, std::move(batch)};
}

std::vector<std::pair<std::string, std::string>> JournalReader::optionsOf(std::int64_t run) {
  SqliteStatement query(m_database,
                        "SELECT name, value FROM run_options WHERE run = ?1 ORDER BY rowid");
  query.bind(1, run);
  std::vector<std::pair<std::string, std::string>> options;
  while (query.step()) options.emplace_back(query.bytes(0), query.bytes(1));
  return options;
}

std::vector<PageRecord> JournalReader::pagesOf(std::int64_t run) {
  SqliteStatement query(m_database,
                        "SELECT number, address, signature, next_address FROM pages "
                        "WHERE run = ?1 ORDER BY rowid");
  query.bind(1, run);
  std::vector<PageRecord> pages;
  while (query.step()) {
    pages.push_back(
        {static_cast<int>(query.integer(0)), query.bytes(1), query.bytes(2), query.bytes(3)});
  }
  return pages;
}

}  // namespace quillon::journal
