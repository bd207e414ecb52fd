#pragma once

#include "base/MessagePump.h"
#include "webfetch/FetchLimits.h"

#include <chrono>
#include <functional>
#include <string>

namespace quillon::webfetch::testing {

// Counts the calls and runs an optional action in each, as a window's handlers would.
class CountingPump final : public MessagePump {
 public:
  void processPendingMessages() override {
    ++calls;
    if (action) action(calls);
  }
  int calls = 0;
  std::function<void(int)> action;
};

// Short bounds keep the time-out cases fast; the defaults are for real servers.
inline FetchLimits fastLimits() {
  FetchLimits limits;
  limits.connectTimeout = std::chrono::milliseconds(1000);
  limits.totalTimeout = std::chrono::milliseconds(1500);
  limits.lowSpeedTime = std::chrono::seconds(1);
  return limits;
}

// Generous against the fast limits, so that a bounded fetch never flakes.
constexpr std::chrono::seconds kBound{10};

template <typename Action>
std::chrono::steady_clock::duration timed(Action&& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::steady_clock::now() - start;
}

}  // namespace quillon::webfetch::testing
