#include "capture/Pause2.h"

#include <chrono>
#include <thread>

namespace quillon::capture {

void Pause2(std::uint32_t milliseconds, MessagePump& pump) {
  // A monotonic clock cannot wrap around or jump, so the pause always ends about the
  // given time after it began.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    pump.processPendingMessages();
  } while (Clock::now() <= deadline);
}

}  // namespace quillon::capture
