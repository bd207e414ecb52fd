#pragma once

namespace quillon::journal {

class SqliteDatabase;

// A write transaction: everything between construction and commit() reaches the file
// together or not at all. Rolled back when left without commit (an exception).
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDatabase& database);
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;
  ~SqliteTransaction();

  void commit();

 private:
  SqliteDatabase& m_database;
  bool m_open = true;
};

}  // namespace quillon::journal
