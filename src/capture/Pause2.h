#pragma once

#include "base/MessagePump.h"

#include <cstdint>

namespace quillon::capture {

// Waits about the given number of milliseconds, sleeping 1 ms and dispatching pending
// messages in turn (at least once). Measured on a monotonic clock.
void Pause2(std::uint32_t milliseconds, MessagePump& pump);

}  // namespace quillon::capture
