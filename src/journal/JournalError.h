#pragma once

#include <stdexcept>
#include <string>

namespace quillon::journal {

// A journal that cannot be opened, read or written; the message says why, with the
// file's path. The table that the journal follows is never changed by the failure.
class JournalError : public std::runtime_error {
 public:
  enum class Reason {
    InUse,        // another connection (another window or command) holds the file
    Unwritable,   // read-only file or folder, full disk, input/output error
    Damaged,      // not readable as a journal: truncated, overwritten, cut short
    NotAJournal,  // a database of another program
    NewerFormat,  // written by a newer Quillon
  };

  JournalError(Reason reason, const std::string& message)
      : std::runtime_error(message), m_reason(reason) {}

  Reason reason() const { return m_reason; }

 private:
  Reason m_reason;
};

}  // namespace quillon::journal
