#include "journal/FormatUpgrade.h"

#include "journal/SqliteDatabase.h"
#include "journal/SqliteStatement.h"
#include "journal/TableOp.h"
#include "text/Utf8.h"

#include <utility>
#include <vector>

namespace quillon::journal {
namespace {

// The operation's data with its texts in UTF-8; a packing that does not unpack is left as
// it is, for the restore to call the journal damaged.
std::string convertedData(OpKind kind, const std::string& data) {
  if (kind == OpKind::AppendSubItem || kind == OpKind::SetCell) return text::cp1252ToUtf8(data);
  auto texts = unpackTexts(data);
  if (!texts || texts->empty()) return data;
  for (std::string& text : *texts) text = text::cp1252ToUtf8(text);
  const std::string first = std::move(texts->front());
  texts->erase(texts->begin());
  return packTexts(first, *texts);
}

}  // namespace

void upgradeFromFormat1(SqliteDatabase& database) {
  std::vector<std::pair<std::int64_t, std::string>> changed;
  {
    SqliteStatement query(database, "SELECT seq, kind, data FROM ops WHERE kind IN (1, 2, 3)");
    while (query.step()) {
      const std::string data = query.bytes(2);
      std::string converted = convertedData(static_cast<OpKind>(query.integer(1)), data);
      if (converted != data) changed.emplace_back(query.integer(0), std::move(converted));
    }
  }
  SqliteStatement update(database, "UPDATE ops SET data = ?2 WHERE seq = ?1");
  for (const auto& [seq, data] : changed) update.bind(1, seq).bind(2, data).run();
  database.execute("PRAGMA user_version = 2");
}

void addBatchTables(SqliteDatabase& database) {
  // A search's pages are those of its run; `run` is 0 until it starts.
  database.execute(R"SQL(
CREATE TABLE batches(id INTEGER PRIMARY KEY, mode BLOB NOT NULL, list_size INTEGER NOT NULL,
                     shard BLOB NOT NULL, ended INTEGER NOT NULL DEFAULT 0);
CREATE TABLE batch_options(batch INTEGER NOT NULL, name BLOB NOT NULL, value BLOB NOT NULL);
CREATE TABLE searches(batch INTEGER NOT NULL, position INTEGER NOT NULL, address BLOB NOT NULL,
                      state INTEGER NOT NULL DEFAULT 0, reason BLOB NOT NULL DEFAULT x'',
                      run INTEGER NOT NULL DEFAULT 0, rows_before INTEGER NOT NULL DEFAULT 0,
                      rows INTEGER NOT NULL DEFAULT 0, PRIMARY KEY(batch, position));
PRAGMA user_version = 3;
)SQL");
}

}  // namespace quillon::journal
