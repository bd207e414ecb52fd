#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace quillon::journal {

// One connection to an SQLite file, the only place besides SqliteStatement that talks to
// the SQLite library. Every failure raises a JournalError that names the file and says
// why in words (in use, disk full, read-only, damaged).
class SqliteDatabase {
 public:
  // Opens the file for reading and writing, creating it when missing if `create`. A file
  // that can only be read is refused.
  explicit SqliteDatabase(std::string path, bool create = true);
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;
  ~SqliteDatabase();

  const std::string& path() const { return m_path; }

  // Runs one or more statements that return no rows.
  void execute(const char* sql);
  // The first column of the first row of a query (0 or empty without a row).
  std::int64_t queryInteger(const char* sql);
  std::string queryText(const char* sql);
  // The row id of the last row inserted through this connection.
  std::int64_t lastInsertId() const;

  // Raises the JournalError for a result code of this connection.
  [[noreturn]] void fail(int code) const;

  sqlite3* handle() const { return m_db; }

 private:
  std::string m_path;
  sqlite3* m_db = nullptr;
};

}  // namespace quillon::journal
