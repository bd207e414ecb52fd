#pragma once

#include "capture/WaitClock.h"

#include <chrono>

namespace quillon::testing {

// A clock that moves only when a wait lets time pass: each pause moves it by all the time
// asked for at once, and dispatches messages once. Waits of minutes take no time.
class FakeClock final : public capture::WaitClock {
 public:
  TimePoint time{};

  TimePoint now() const override { return time; }
  void pause(std::chrono::milliseconds most, MessagePump& pump) override {
    time += most;
    ++pauses;
    pump.processPendingMessages();
  }
  // Time passed since the clock's start.
  std::chrono::milliseconds elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
  }

  int pauses = 0;
};

}  // namespace quillon::testing
