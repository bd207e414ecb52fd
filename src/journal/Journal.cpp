#include "journal/Journal.h"

#include "journal/JournalFile.h"
#include "journal/JournalReader.h"
#include "journal/SqliteStatement.h"
#include "journal/SqliteTransaction.h"
#include "results/ResultsTable.h"

#include <stdexcept>

namespace quillon::journal {

// Prepared once: a capture step writes a few dozen rows.
struct Journal::Statements {
  explicit Statements(SqliteDatabase& db)
      : insertOp(db, "INSERT INTO ops(kind, row, argument, data) VALUES(?1, ?2, ?3, ?4)"),
        insertPage(db,
                   "INSERT INTO pages(run, number, address, signature, next_address) "
                   "VALUES(?1, ?2, ?3, ?4, ?5)"),
        setNext(db, "UPDATE runs SET next_address = ?2 WHERE id = ?1"),
        setSaved(db, "UPDATE state SET value = ?1 WHERE key = 'saved'") {}

  SqliteStatement insertOp;
  SqliteStatement insertPage;
  SqliteStatement setNext;
  SqliteStatement setSaved;
};

Journal::Journal(const std::string& path)
    : m_path(path),
      m_file(std::make_unique<JournalFile>(path, true)),
      m_statements(std::make_unique<Statements>(m_file->database())),
      m_recorder([this](TableOp op) { record(std::move(op)); }) {
  JournalReader reader(m_file->database());
  m_saved = reader.saved();
  if (const auto last = reader.lastRun(); last && !last->second.ended) m_runId = last->first;
  if (const auto batch = reader.lastBatch(); batch && !batch->second.ended) {
    m_batchId = batch->first;
  }
}

Journal::~Journal() { m_recorder.detach(); }

void Journal::requireOpen() const {
  if (m_file == nullptr) throw std::logic_error("The journal " + m_path + " was discarded");
}

void Journal::attach(results::ResultsTable& table) {
  requireOpen();
  if (m_failure) return;
  if (!JournalReader(m_file->database()).ops().empty()) {
    throw std::logic_error("The journal " + m_path + " holds changes: restore it instead");
  }
  m_recorder.attach(table);
}

int Journal::restore(results::ResultsTable& table) {
  requireOpen();
  const bool fresh = table.Count() == 0 && table.SortColumn() < 0 &&
                     table.Caption(0) == results::captionsOf(results::CaptionSet::English)[0];
  if (!fresh) throw std::logic_error("A journal is restored into a new table");
  const std::vector<TableOp> ops = JournalReader(m_file->database()).ops();
  if (const auto bad = firstMalformedOp(ops)) {
    throw JournalError(JournalError::Reason::Damaged,
                       "The journal " + m_path + " is damaged: change " + std::to_string(*bad + 1) +
                           " of " + std::to_string(ops.size()) + " cannot be repeated");
  }
  m_recorder.attach(table);
  for (const TableOp& op : ops) m_recorder.replay(op);
  return table.Count();
}

void Journal::detach() { m_recorder.detach(); }

void Journal::record(TableOp op) {
  if (!active()) return;
  m_pending.push_back(std::move(op));
  if (m_inPage) return;
  try {
    transact([&] { writePending(); });
  } catch (const JournalError&) {
    // Heard inside the table's call: failure() keeps it for the owner.
  }
}

void Journal::writePending() {
  SqliteStatement& insert = m_statements->insertOp;
  for (const TableOp& op : m_pending) {
    insert.bind(1, static_cast<std::int64_t>(op.kind)).bind(2, op.row).bind(3, op.argument);
    insert.bind(4, op.data).run();
  }
  if (!m_pending.empty() && m_saved) {
    m_statements->setSaved.bind(1, std::int64_t{0}).run();
    m_saved = false;
  }
  m_pending.clear();
}

template <class Write>
void Journal::transact(Write write) {
  if (!active()) return;
  try {
    SqliteTransaction transaction(m_file->database());
    write();
    transaction.commit();
  } catch (const JournalError& error) {
    stop(error);
    throw;
  }
}

// The recorder stays attached: this may run inside the table's call, which must not see
// its list of observers change. It is heard no more (record() checks active()).
void Journal::stop(const JournalError& error) {
  const bool first = !m_failure;
  m_failure = error;
  m_pending.clear();
  m_inPage = false;
  if (first && m_stopListener) m_stopListener(error);
}

void Journal::beginPage() { m_inPage = active(); }

void Journal::commitPage(const PageRecord& page) {
  transact([&] {
    writePending();
    if (m_runId == 0) return;
    m_statements->insertPage.bind(1, m_runId).bind(2, std::int64_t{page.number});
    m_statements->insertPage.bind(3, page.address).bind(4, page.signature);
    m_statements->insertPage.bind(5, page.nextAddress).run();
    m_statements->setNext.bind(1, m_runId).bind(2, page.nextAddress).run();
  });
  m_inPage = false;
}

void Journal::commitChanges() {
  transact([&] { writePending(); });
  m_inPage = false;
}

void Journal::startRun(const RunStart& start) {
  std::int64_t id = 0;
  transact([&] {
    SqliteDatabase& db = m_file->database();
    SqliteStatement insert(
        db, "INSERT INTO runs(mode, start_address, next_address) VALUES(?1, ?2, ?2)");
    insert.bind(1, start.mode).bind(2, start.startAddress).run();
    id = db.lastInsertId();
    SqliteStatement option(db, "INSERT INTO run_options(run, name, value) VALUES(?1, ?2, ?3)");
    for (const auto& [name, value] : start.options)
      option.bind(1, id).bind(2, name).bind(3, value).run();
  });
  if (active()) m_runId = id;
}

void Journal::setNextAddress(std::string_view address) {
  if (m_runId == 0) return;
  transact([&] { m_statements->setNext.bind(1, m_runId).bind(2, address).run(); });
}

void Journal::endRun(std::string_view reason) {
  if (m_runId == 0) return;
  transact([&] {
    SqliteStatement end(m_file->database(),
                        "UPDATE runs SET ended = 1, end_reason = ?2, next_address = x'' "
                        "WHERE id = ?1");
    end.bind(1, m_runId).bind(2, reason).run();
  });
  if (active()) m_runId = 0;
}

std::optional<RunRecord> Journal::lastRun() {
  if (m_file == nullptr) return std::nullopt;
  auto last = JournalReader(m_file->database()).lastRun();
  if (!last) return std::nullopt;
  return std::move(last->second);
}

int Journal::rowCount() {
  return m_file != nullptr ? JournalReader(m_file->database()).rowCount() : 0;
}

void Journal::markSaved() {
  transact([&] { m_statements->setSaved.bind(1, std::int64_t{1}).run(); });
  if (active()) m_saved = true;
}

void Journal::startBatch(const BatchStart& start, const std::vector<SearchRecord>& searches) {
  requireOpen();
  std::int64_t id = 0;
  transact([&] {
    SqliteDatabase& db = m_file->database();
    SqliteStatement insert(db, "INSERT INTO batches(mode, list_size, shard) VALUES(?1, ?2, ?3)");
    insert.bind(1, start.mode).bind(2, std::int64_t{start.listSize}).bind(3, start.shard).run();
    id = db.lastInsertId();
    SqliteStatement option(db, "INSERT INTO batch_options(batch, name, value) VALUES(?1, ?2, ?3)");
    for (const auto& [name, value] : start.options)
      option.bind(1, id).bind(2, name).bind(3, value).run();
    SqliteStatement search(db, "INSERT INTO searches(batch, position, address) VALUES(?1, ?2, ?3)");
    for (const SearchRecord& each : searches)
      search.bind(1, id).bind(2, std::int64_t{each.position}).bind(3, each.address).run();
  });
  if (active()) m_batchId = id;
}

void Journal::startSearch(int position, int rowsBefore) {
  if (m_batchId == 0) throw std::logic_error("The journal " + m_path + " holds no open batch");
  std::int64_t run = 0;
  transact([&] {
    SqliteDatabase& db = m_file->database();
    SqliteStatement find(db,
                         "SELECT run, address FROM searches WHERE batch = ?1 AND position = ?2");
    find.bind(1, m_batchId).bind(2, std::int64_t{position});
    if (!find.step()) {
      throw std::logic_error("The batch has no search " + std::to_string(position));
    }
    run = find.integer(0);
    const std::string address = find.bytes(1);
    if (run != 0) {
      // The search goes on: its pages so far stay, the next ones join them.
      SqliteStatement reopen(db, "UPDATE runs SET ended = 0, end_reason = x'' WHERE id = ?1");
      reopen.bind(1, run).run();
      return;
    }
    SqliteStatement insert(db,
                           "INSERT INTO runs(mode, start_address, next_address) "
                           "SELECT mode, ?2, ?2 FROM batches WHERE id = ?1");
    insert.bind(1, m_batchId).bind(2, address).run();
    run = db.lastInsertId();
    SqliteStatement options(db,
                            "INSERT INTO run_options(run, name, value) "
                            "SELECT ?2, name, value FROM batch_options WHERE batch = ?1 "
                            "ORDER BY rowid");
    options.bind(1, m_batchId).bind(2, run).run();
    SqliteStatement started(db,
                            "UPDATE searches SET run = ?3, state = 1, rows_before = ?4 "
                            "WHERE batch = ?1 AND position = ?2");
    started.bind(1, m_batchId).bind(2, std::int64_t{position}).bind(3, run);
    started.bind(4, std::int64_t{rowsBefore}).run();
  });
  if (active()) m_runId = run;
}

void Journal::endSearch(const SearchRecord& search) {
  if (m_batchId == 0) return;
  transact([&] {
    SqliteDatabase& db = m_file->database();
    SqliteStatement update(db,
                           "UPDATE searches SET state = ?3, reason = ?4, rows = ?5 "
                           "WHERE batch = ?1 AND position = ?2");
    update.bind(1, m_batchId).bind(2, std::int64_t{search.position});
    update.bind(3, static_cast<std::int64_t>(search.state)).bind(4, search.reason);
    update.bind(5, std::int64_t{search.rows}).run();
    if (!search.settled()) return;
    SqliteStatement end(db,
                        "UPDATE runs SET ended = 1, end_reason = ?3, next_address = x'' "
                        "WHERE ended = 0 AND id = (SELECT run FROM searches "
                        "WHERE batch = ?1 AND position = ?2)");
    end.bind(1, m_batchId).bind(2, std::int64_t{search.position}).bind(3, search.reason).run();
  });
  if (active() && search.settled()) m_runId = 0;
}

void Journal::endBatch() {
  if (m_batchId == 0) return;
  transact([&] {
    SqliteStatement end(m_file->database(), "UPDATE batches SET ended = 1 WHERE id = ?1");
    end.bind(1, m_batchId).run();
  });
  if (active()) m_batchId = 0;
}

std::optional<BatchRecord> Journal::lastBatch() {
  if (m_file == nullptr) return std::nullopt;
  auto last = JournalReader(m_file->database()).lastBatch();
  if (!last) return std::nullopt;
  return std::move(last->second);
}

void Journal::discard() {
  m_recorder.detach();
  m_pending.clear();
  m_inPage = false;
  if (m_file == nullptr) return;
  m_statements.reset();
  m_file.reset();
  JournalFile::removeFiles(m_path);
}

}  // namespace quillon::journal
