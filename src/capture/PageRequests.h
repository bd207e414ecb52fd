#pragma once

#include "capture/WaitClock.h"

#include <chrono>
#include <functional>

namespace quillon::capture {

// When a run may ask for its next result page: at least the delay after its last request,
// plus a random extra of up to half the delay; after a refusal, not before the refusal's
// wait is over.
class PageRequests {
 public:
  // Uniform in [0, 1): how much of the extra a request gets.
  using Random = std::function<double()>;

  PageRequests(WaitClock& clock, std::chrono::milliseconds delay, Random random = {});

  // A page was asked for now (the first page: counted from when the run began).
  void requested();
  // The page shown was refused now: the next request waits at least `wait` from now.
  void refused(std::chrono::milliseconds wait);
  WaitClock::TimePoint nextTurn() const { return m_next; }
  // Waits, dispatching messages, until the next request may go or `cut` holds.
  void waitForTurn(MessagePump& pump, const std::function<bool()>& cut);

 private:
  WaitClock& m_clock;
  std::chrono::milliseconds m_delay;
  Random m_random;
  WaitClock::TimePoint m_next;
};

}  // namespace quillon::capture
