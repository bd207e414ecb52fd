#include "capture/RunOutcome.h"

namespace quillon::capture {

void RunOutcome::pageCaptured(int page, int, int) {
  ++m_pages;
  m_lastPage = page;
}

void RunOutcome::linkFollowed(int page, const PageTurn&) { m_followedFrom = page; }

void RunOutcome::runEnded(const RunEnd& end) {
  if (failed()) return;
  m_ended = true;
  m_end = end;
}

void RunOutcome::runFailed(const std::string& message) { fail(message); }

void RunOutcome::fail(const std::string& message) {
  // The first word is the one that explains: a later one only follows from it.
  if (failed()) return;
  m_ended = true;
  m_end = RunEnd::failed(message);
}

void RunOutcome::endWithout(const std::string& reason) {
  m_ended = true;
  m_end = {RunEnd::Kind::Finished, reason, 0};
}

}  // namespace quillon::capture
