#pragma once

#include "journal/SqliteDatabase.h"

#include <cstdint>
#include <string>

namespace quillon::journal {

// A journal's file: an SQLite database marked with Quillon's application id and the
// format number, in WAL mode, held under an exclusive lock from open to close so that
// no second connection (another window, another command) can read or write it.
//
// synchronous=NORMAL: in WAL mode a commit is then one write() into the WAL and no
// fsync. A killed process loses nothing the kernel already has, so a kill loses at most
// the page in progress; only a power cut or a system crash may lose the last commits
// (never the file's consistency), and that is not worth an fsync per page.
class JournalFile {
 public:
  static constexpr std::int64_t kApplicationId = 0x51756C6A;  // "Qulj"
  // 1: table texts in cp1252; 2: in UTF-8; 3: batches of searches too. An older file
  // opened to be written is converted to format 3 first; read only, it stays as it is.
  static constexpr std::int64_t kFormat = 3;

  // Opens the file and takes its lock. A missing or empty file becomes a new journal
  // when `create`; otherwise a missing file is an error and an empty one stays
  // untouched, isNew() telling. Throws JournalError:
  // in use, read-only, damaged, another program's, a newer format.
  JournalFile(const std::string& path, bool create);

  SqliteDatabase& database() { return m_database; }
  const std::string& path() const { return m_database.path(); }
  // True for an empty file opened without `create`: it holds no journal yet.
  bool isNew() const { return m_new; }
  std::int64_t format() const { return m_format; }

  // Removes a journal's file and SQLite's side files; a missing file is no error.
  static void removeFiles(const std::string& path);

 private:
  void checkFormat(bool create);
  void createSchema();

  SqliteDatabase m_database;
  bool m_new = false;
  std::int64_t m_format = kFormat;
};

}  // namespace quillon::journal
