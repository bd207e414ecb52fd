#pragma once

#include "base/MessagePump.h"

#include <chrono>

namespace quillon::webengine {

// The message pump of a Qt program. It handles every pending event; when none is pending
// it sleeps in the event loop until the next one arrives or a few milliseconds pass, so
// the core's waits keep the window responsive without keeping a processor busy.
class QtMessagePump final : public MessagePump {
 public:
  explicit QtMessagePump(std::chrono::milliseconds maxIdleWait = std::chrono::milliseconds(4))
      : m_maxIdleWait(maxIdleWait) {}

  void processPendingMessages() override;

 private:
  std::chrono::milliseconds m_maxIdleWait;
};

}  // namespace quillon::webengine
