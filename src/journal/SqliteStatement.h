#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace quillon::journal {

class SqliteDatabase;

// A prepared statement of a connection; it must go before its connection. Texts are
// bound and read as bytes (blobs), so that any byte, NUL too, comes back as it went in.
class SqliteStatement {
 public:
  SqliteStatement(SqliteDatabase& database, const char* sql);
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;
  ~SqliteStatement();

  // Parameters count from 1.
  SqliteStatement& bind(int index, std::int64_t value);
  SqliteStatement& bind(int index, std::string_view bytes);

  // One step: true when it gave a row, false when done.
  bool step();
  // Runs a statement that gives no rows, then makes it ready for new parameters.
  void run();
  // Makes the statement ready to run again (parameters kept until bound again).
  void reset();

  // Columns of the current row count from 0.
  std::int64_t integer(int column) const;
  std::string bytes(int column) const;

 private:
  SqliteDatabase& m_database;
  sqlite3_stmt* m_statement = nullptr;
};

}  // namespace quillon::journal
