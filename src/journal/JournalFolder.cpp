#include "journal/JournalFolder.h"

#include "journal/Journal.h"
#include "journal/JournalError.h"
#include "journal/JournalFile.h"
#include "journal/JournalSummary.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace quillon::journal {
namespace {

using Reason = JournalError::Reason;
namespace fs = std::filesystem;

std::string withoutTrailingSlashes(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return std::string(path);
}

// "session-20250102-133005-4711": the start in UTC and the process, which together
// already tell two windows apart; the caller adds a counter on a clash.
std::string sessionStem() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
  return "session-" + std::string(stamp) + "-" + std::to_string(::getpid());
}

void makeFolder(const std::string& path) {
  std::error_code error;
  if (fs::create_directories(path, error)) {
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace, error);
  }
  if (error) {
    throw JournalError(Reason::Unwritable,
                       "The journal folder " + path + " cannot be made: " + error.message());
  }
}

// Reserves the name: O_EXCL fails when another session took it first.
bool reserve(const std::string& path) {
  const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  if (errno == EEXIST) return false;
  throw JournalError(Reason::Unwritable,
                     "The journal " + path + " cannot be written: " + std::strerror(errno));
}

}  // namespace

std::string JournalFolder::defaultPath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  if (home.empty()) {
    if (const passwd* user = ::getpwuid(::getuid())) home = user->pw_dir;
  }
  return pathFor(state != nullptr ? state : "", home);
}

std::string JournalFolder::pathFor(std::string_view xdgStateHome, std::string_view home) {
  if (!xdgStateHome.empty() && xdgStateHome.front() == '/') {
    return withoutTrailingSlashes(xdgStateHome) + "/quillon";
  }
  return withoutTrailingSlashes(home) + "/.local/state/quillon";
}

std::unique_ptr<Journal> JournalFolder::createJournal() const {
  makeFolder(m_path);
  const std::string stem = m_path + "/" + sessionStem();
  for (int attempt = 1; attempt <= 100; ++attempt) {
    // Built by appending: GCC 12 at -O3 warns falsely on a literal + string here.
    std::string path = stem;
    if (attempt > 1) path.append("-").append(std::to_string(attempt));
    path.append(kExtension);
    if (!reserve(path)) continue;
    try {
      return std::make_unique<Journal>(path);
    } catch (const JournalError& error) {
      // Another session looking through the folder holds the new file for a moment.
      if (error.reason() != Reason::InUse) throw;
    }
  }
  throw JournalError(Reason::Unwritable,
                     "The journal folder " + m_path + " has no free name for a new journal");
}

std::vector<EarlierSession> JournalFolder::earlierSessions() const {
  std::vector<std::pair<fs::file_time_type, EarlierSession>> found;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(m_path, error)) {
    if (!entry.is_regular_file(error) || entry.path().extension() != kExtension) continue;
    EarlierSession session;
    session.path = entry.path().string();
    try {
      const JournalSummary summary = summarizeJournal(session.path);
      session.rows = summary.rows;
      session.saved = summary.saved;
      if (const auto& batch = summary.lastBatch; batch && !batch->ended && batch->nextSearch()) {
        session.nextSearch = batch->nextSearch()->position;
        session.listSize = batch->start.listSize;
      }
    } catch (const JournalError& problem) {
      if (problem.reason() == Reason::InUse) continue;  // a live session's
      session.problem = problem.what();
    }
    found.emplace_back(entry.last_write_time(error), std::move(session));
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<EarlierSession> sessions;
  for (auto& [time, session] : found) sessions.push_back(std::move(session));
  return sessions;
}

void JournalFolder::discard(const std::string& journalPath) const {
  try {
    JournalFile check(journalPath, false);
  } catch (const JournalError& error) {
    // A damaged file is no live session's: only the lock matters here.
    if (error.reason() == Reason::InUse) throw;
  }
  JournalFile::removeFiles(journalPath);
}

}  // namespace quillon::journal
