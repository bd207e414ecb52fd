#include "journal/SqliteTransaction.h"

#include "journal/SqliteDatabase.h"

namespace quillon::journal {

SqliteTransaction::SqliteTransaction(SqliteDatabase& database) : m_database(database) {
  m_database.execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
  if (!m_open) return;
  try {
    m_database.execute("ROLLBACK");
  } catch (...) {
    // SQLite has rolled back by itself after some failures (a full disk); nothing is left.
  }
}

void SqliteTransaction::commit() {
  m_database.execute("COMMIT");
  m_open = false;
}

}  // namespace quillon::journal
