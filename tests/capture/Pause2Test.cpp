#include "capture/Pause2.h"
#include "support/FakeBrowser.h"

#include <chrono>
#include <gtest/gtest.h>

namespace quillon::capture {
namespace {

using testing::ScriptedPump;

TEST(Pause2, PumpsAtLeastOnceAndLastsTheGivenTime) {
  ScriptedPump pump;
  Pause2(0, pump);
  EXPECT_GE(pump.passes, 1);

  ScriptedPump second;
  const auto start = std::chrono::steady_clock::now();
  Pause2(30, second);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GT(elapsed, std::chrono::milliseconds(30));
  EXPECT_GE(second.passes, 2);
}

}  // namespace
}  // namespace quillon::capture
