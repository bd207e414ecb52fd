#pragma once

#include "capture/CaptureObserver.h"
#include "capture/RunEnd.h"

#include <string>

namespace quillon::capture {

// How one capture run went, heard through the observer interface: the command line's exit
// status and a batch's record of each search are both decided from it, here alone.
class RunOutcome final : public CaptureObserver {
 public:
  void pageCaptured(int page, int rowsAdded, int rowCount) override;
  void linkFollowed(int page, const PageTurn& turn) override;
  void runEnded(const RunEnd& end) override;
  void runFailed(const std::string& message) override;

  // A failure outside the run's own steps: its first page did not load, or the run raised
  // an error that its observers were not told of.
  void fail(const std::string& message);
  // The run ended without starting (its last page was read before an interruption).
  void endWithout(const std::string& reason);

  // How the run ended; a run not heard to end is Stopped with no reason.
  const RunEnd& end() const { return m_end; }
  bool failed() const { return m_end.kind == RunEnd::Kind::Failed; }
  // The site refused a page or asked for a person: the search has more to read, later.
  bool cutOffBySite() const {
    return m_end.kind == RunEnd::Kind::Refused || m_end.kind == RunEnd::Kind::PersonCheck;
  }
  // True once the run told why it ended (with or without a failure).
  bool ended() const { return m_ended; }
  // Why the run ended, or what failed; empty while neither is known.
  const std::string& reason() const { return m_end.reason; }
  int pagesRead() const { return m_pages; }
  // True when the last page read had a next page that was asked for, or no page was read:
  // a run ended there (by Stop) has more to read.
  bool morePages() const { return m_pages == 0 || m_followedFrom == m_lastPage; }

 private:
  bool m_ended = false;
  RunEnd m_end{RunEnd::Kind::Stopped, {}, 0};
  int m_pages = 0;
  int m_lastPage = 0;
  int m_followedFrom = 0;
};

}  // namespace quillon::capture
