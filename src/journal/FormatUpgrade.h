#pragma once

namespace quillon::journal {

class SqliteDatabase;

// Format 1 journals hold the table's texts as cp1252 bytes; format 2 as UTF-8. Rewrites the
// texts of every row operation of a format 1 journal as UTF-8 and marks it format 2, in the
// caller's transaction. The run records (addresses, modes, page signatures) are the same in
// both formats.
void upgradeFromFormat1(SqliteDatabase& database);

// Format 3 adds the tables of a batch of searches (its list, each search's state and run).
// Creates them in a format 2 journal (or a new one) and marks it format 3, in the caller's
// transaction.
void addBatchTables(SqliteDatabase& database);

}  // namespace quillon::journal
