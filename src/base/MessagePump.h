#pragma once

namespace quillon {

// Dispatches every pending window message once. Long operations in the core wait by
// calling it in a loop, so the window stays responsive; the core never includes Qt.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void processPendingMessages() = 0;
};

// A pump that dispatches nothing, for headless use without an event loop.
class NullMessagePump final : public MessagePump {
 public:
  void processPendingMessages() override {}
};

}  // namespace quillon
