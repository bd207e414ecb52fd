#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::journal {

class Journal;

// A journal left by an earlier session that no running Quillon holds.
struct EarlierSession {
  std::string path;
  int rows = 0;
  bool saved = false;
  // A list of searches it left unfinished: the position of the next search and the size of
  // the list; 0 and 0 for none.
  int nextSearch = 0;
  int listSize = 0;
  // Why it cannot be restored (damaged, another program's, a newer format), in words;
  // empty when it can.
  std::string problem;
};

// The folder of the window's journals, one file per session: each session writes a
// fresh file and holds it locked while it runs, so that two windows never share one,
// and a file nobody holds is what a session that ended without saving left behind.
class JournalFolder {
 public:
  static constexpr std::string_view kExtension = ".qjournal";

  // $XDG_STATE_HOME/quillon, or ~/.local/state/quillon when that variable is unset or
  // not an absolute path (as the XDG base directory rules have it).
  static std::string defaultPath();
  static std::string pathFor(std::string_view xdgStateHome, std::string_view home);

  explicit JournalFolder(std::string path) : m_path(std::move(path)) {}
  const std::string& path() const { return m_path; }

  // Creates the folder when missing (owner only) and a journal in it under a name no
  // other session has, opened and locked. Throws JournalError.
  std::unique_ptr<Journal> createJournal() const;

  // The journals in the folder that no live process holds, newest first, with their
  // rows; damaged ones with their problem. A missing folder has none.
  std::vector<EarlierSession> earlierSessions() const;

  // Deletes an earlier session's journal; JournalError when a live process holds it.
  void discard(const std::string& journalPath) const;

 private:
  std::string m_path;
};

}  // namespace quillon::journal
