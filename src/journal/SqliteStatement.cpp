#include "journal/SqliteStatement.h"

#include "journal/SqliteDatabase.h"

#include <sqlite3.h>

namespace quillon::journal {

SqliteStatement::SqliteStatement(SqliteDatabase& database, const char* sql) : m_database(database) {
  const int code = sqlite3_prepare_v2(database.handle(), sql, -1, &m_statement, nullptr);
  if (code != SQLITE_OK) {
    sqlite3_finalize(m_statement);
    database.fail(code);
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_statement); }

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
  const int code = sqlite3_bind_int64(m_statement, index, value);
  if (code != SQLITE_OK) m_database.fail(code);
  return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view bytes) {
  // A null pointer would bind SQL NULL; an empty text stays an empty blob.
  const char* data = bytes.empty() ? "" : bytes.data();
  const int code = sqlite3_bind_blob64(m_statement, index, data, bytes.size(), SQLITE_TRANSIENT);
  if (code != SQLITE_OK) m_database.fail(code);
  return *this;
}

bool SqliteStatement::step() {
  const int code = sqlite3_step(m_statement);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  // The connection's message is read before the reset can replace it.
  try {
    m_database.fail(code);
  } catch (...) {
    sqlite3_reset(m_statement);
    throw;
  }
}

void SqliteStatement::run() {
  step();
  reset();
}

void SqliteStatement::reset() { sqlite3_reset(m_statement); }

std::int64_t SqliteStatement::integer(int column) const {
  return sqlite3_column_int64(m_statement, column);
}

std::string SqliteStatement::bytes(int column) const {
  const void* data = sqlite3_column_blob(m_statement, column);
  const int size = sqlite3_column_bytes(m_statement, column);
  return data != nullptr
             ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size))
             : std::string();
}

}  // namespace quillon::journal
