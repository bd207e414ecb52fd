#include "journal/JournalFile.h"

#include "journal/FormatUpgrade.h"
#include "journal/JournalError.h"

#include <filesystem>
#include <system_error>

namespace quillon::journal {
namespace {

using Reason = JournalError::Reason;

// Text columns are blobs: the table's texts go in and come out byte for byte.
constexpr const char* kSchema = R"SQL(
CREATE TABLE state(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;
INSERT INTO state VALUES('saved', 0);
CREATE TABLE ops(seq INTEGER PRIMARY KEY, kind INTEGER NOT NULL, row INTEGER NOT NULL,
                 argument INTEGER NOT NULL, data BLOB NOT NULL);
CREATE TABLE runs(id INTEGER PRIMARY KEY, mode BLOB NOT NULL, start_address BLOB NOT NULL,
                  next_address BLOB NOT NULL, ended INTEGER NOT NULL DEFAULT 0,
                  end_reason BLOB NOT NULL DEFAULT x'');
CREATE TABLE run_options(run INTEGER NOT NULL, name BLOB NOT NULL, value BLOB NOT NULL);
CREATE TABLE pages(run INTEGER NOT NULL, number INTEGER NOT NULL, address BLOB NOT NULL,
                   signature BLOB NOT NULL, next_address BLOB NOT NULL);
)SQL";

constexpr const char* kCountTables =
    "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND "
    "name IN ('state', 'ops', 'runs', 'run_options', 'pages', "
    "'batches', 'batch_options', 'searches')";

// The tables that kCountTables finds in a journal of the format.
constexpr std::int64_t tablesOfFormat(std::int64_t format) { return format >= 3 ? 8 : 5; }

}  // namespace

JournalFile::JournalFile(const std::string& path, bool create) : m_database(path, create) {
  // Before the first access: then SQLite keeps the lock and needs no shared memory for WAL.
  m_database.execute("PRAGMA locking_mode = EXCLUSIVE");
  checkFormat(create);
  if (m_new && create) {
    createSchema();
    m_new = false;
  } else if (!m_new) {
    m_database.execute("PRAGMA journal_mode = WAL");
    const std::string check = m_database.queryText("PRAGMA quick_check");
    if (check != "ok")
      throw JournalError(Reason::Damaged, "The journal " + path + " is damaged: " + check);
    // A journal that goes on being written holds one encoding and one schema throughout.
    if (create && m_format < kFormat) {
      m_database.execute("BEGIN IMMEDIATE");
      if (m_format == 1) upgradeFromFormat1(m_database);
      addBatchTables(m_database);
      m_database.execute("COMMIT");
      m_format = kFormat;
    }
  }
  m_database.execute("PRAGMA synchronous = NORMAL");
}

void JournalFile::checkFormat(bool create) {
  // The lock taken here is kept by the locking mode. A reader takes a shared one: an
  // exclusive transaction would write a header into an empty file.
  m_database.execute(create ? "BEGIN EXCLUSIVE" : "BEGIN");
  const std::int64_t application = m_database.queryInteger("PRAGMA application_id");
  const std::int64_t format = m_database.queryInteger("PRAGMA user_version");
  m_format = format;
  const std::int64_t objects = m_database.queryInteger("SELECT count(*) FROM sqlite_schema");
  const std::int64_t tables = m_database.queryInteger(kCountTables);
  m_database.execute("COMMIT");
  if (application == 0 && format == 0 && objects == 0) {
    m_new = true;
    return;
  }
  if (application != kApplicationId) {
    throw JournalError(Reason::NotAJournal, "The file " + path() + " is not a Quillon journal");
  }
  if (format > kFormat) {
    throw JournalError(Reason::NewerFormat,
                       "The journal " + path() + " was written by a newer version of Quillon " +
                           "(journal format " + std::to_string(format) +
                           "; this version reads format " + std::to_string(kFormat) + ")");
  }
  if (format < 1 || tables != tablesOfFormat(format)) {
    throw JournalError(Reason::Damaged,
                       "The journal " + path() + " is damaged: tables are missing");
  }
}

void JournalFile::createSchema() {
  m_database.execute("PRAGMA journal_mode = WAL");
  const std::string stamp = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                            "; PRAGMA user_version = " + std::to_string(kFormat) + ";";
  m_database.execute("BEGIN IMMEDIATE");
  m_database.execute(kSchema);
  addBatchTables(m_database);
  m_database.execute(stamp.c_str());
  m_database.execute("COMMIT");
}

void JournalFile::removeFiles(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::error_code error;
    std::filesystem::remove(path + suffix, error);
    if (error) {
      throw JournalError(Reason::Unwritable,
                         "The journal " + path + " cannot be removed: " + error.message());
    }
  }
}

}  // namespace quillon::journal
