#pragma once

#include "base/MessagePump.h"

#include <chrono>

namespace quillon::capture {

// The time and the waits of a run: the delay between pages, the wait after a refusal, the
// pause for a person. Calls to the system clock are wrapped, so that tests run these waits
// on a clock of their own without sleeping.
class WaitClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual ~WaitClock() = default;
  virtual TimePoint now() const = 0;
  // Lets at most `most` pass and dispatches pending messages once.
  virtual void pause(std::chrono::milliseconds most, MessagePump& pump) = 0;
};

// The monotonic clock; a pause sleeps a few milliseconds at most, so the window stays
// responsive and Stop is heard at once.
class SteadyWaitClock final : public WaitClock {
 public:
  TimePoint now() const override { return std::chrono::steady_clock::now(); }
  void pause(std::chrono::milliseconds most, MessagePump& pump) override;
};

}  // namespace quillon::capture
