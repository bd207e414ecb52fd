#include "capture/WaitClock.h"

#include <algorithm>
#include <thread>

namespace quillon::capture {

void SteadyWaitClock::pause(std::chrono::milliseconds most, MessagePump& pump) {
  std::this_thread::sleep_for(
      std::clamp(most, std::chrono::milliseconds(0), std::chrono::milliseconds(5)));
  pump.processPendingMessages();
}

}  // namespace quillon::capture
