#pragma once

#include "webfetch/MessagePump.h"

namespace quillon::webengine {

// The message pump of a Qt program: handles every pending event once, without waiting.
class QtMessagePump final : public MessagePump {
 public:
  void processPendingMessages() override;
};

}  // namespace quillon::webengine
