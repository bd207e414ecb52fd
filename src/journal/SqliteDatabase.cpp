#include "journal/SqliteDatabase.h"

#include "journal/JournalError.h"
#include "journal/SqliteStatement.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sqlite3.h>
#include <unistd.h>
#include <utility>

namespace quillon::journal {
namespace {

using Reason = JournalError::Reason;

// The system's own words (errno) say more than SQLite's "disk I/O error".
std::string why(int code, const char* message, int systemError) {
  const int primary = code & 0xFF;
  if (systemError != 0 && (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN)) {
    return std::strerror(systemError);
  }
  return message != nullptr ? message : sqlite3_errstr(code);
}

JournalError errorFor(const std::string& path, int code, const char* message, int systemError) {
  const std::string subject = "The journal " + path;
  const std::string reason = why(code, message, systemError);
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return {Reason::InUse, subject + " is in use by another Quillon window or command"};
    case SQLITE_FULL:
      return {Reason::Unwritable, subject + " cannot be written: the disk is full"};
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
      return {Reason::Damaged, subject + " is damaged: " + reason};
    case SQLITE_IOERR:
      if (code == SQLITE_IOERR_READ || code == SQLITE_IOERR_SHORT_READ) {
        return {Reason::Damaged, subject + " cannot be read: " + reason};
      }
      return {Reason::Unwritable, subject + " cannot be written: " + reason};
    default:
      return {Reason::Unwritable, subject + " cannot be written: " + reason};
  }
}

}  // namespace

SqliteDatabase::SqliteDatabase(std::string path, bool create) : m_path(std::move(path)) {
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  const int code = sqlite3_open_v2(m_path.c_str(), &m_db, flags, nullptr);
  if (code == SQLITE_OK && sqlite3_db_readonly(m_db, "main") != 1) {
    sqlite3_extended_result_codes(m_db, 1);
    return;
  }
  // SQLite retries a file it cannot create as read-only, and the errno it keeps is the
  // retry's ("no such file"): the folder tells the real reason.
  int systemError = m_db != nullptr ? sqlite3_system_errno(m_db) : 0;
  if ((code & 0xFF) == SQLITE_CANTOPEN) {
    const std::string folder = std::filesystem::path(m_path).parent_path().string();
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) systemError = errno;
  }
  // The destructor does not run for a constructor that throws: close here.
  const JournalError error =
      code != SQLITE_OK
          ? errorFor(m_path, code, m_db != nullptr ? sqlite3_errmsg(m_db) : nullptr, systemError)
          : JournalError(Reason::Unwritable,
                         "The journal " + m_path + " cannot be written: the file is read-only");
  sqlite3_close_v2(m_db);
  throw error;
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close_v2(m_db); }

void SqliteDatabase::execute(const char* sql) {
  const int code = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) fail(code);
}

std::int64_t SqliteDatabase::queryInteger(const char* sql) {
  SqliteStatement query(*this, sql);
  return query.step() ? query.integer(0) : 0;
}

std::string SqliteDatabase::queryText(const char* sql) {
  SqliteStatement query(*this, sql);
  return query.step() ? query.bytes(0) : std::string();
}

std::int64_t SqliteDatabase::lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

void SqliteDatabase::fail(int code) const {
  throw errorFor(m_path, code, sqlite3_errmsg(m_db), sqlite3_system_errno(m_db));
}

}  // namespace quillon::journal
