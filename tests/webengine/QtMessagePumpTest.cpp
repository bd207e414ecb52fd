#include "webengine/QtMessagePump.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <gtest/gtest.h>

namespace quillon::webengine {
namespace {

TEST(QtMessagePump, HandlesPendingEvents) {
  QtMessagePump pump;
  int calls = 0;
  QTimer::singleShot(0, [&] { ++calls; });
  QMetaObject::invokeMethod(
      qApp, [&] { ++calls; }, Qt::QueuedConnection);
  for (int pass = 0; pass < 100 && calls < 2; ++pass) pump.processPendingMessages();
  EXPECT_EQ(calls, 2);
}

TEST(QtMessagePump, SleepsUntilTheNextEventInsteadOfSpinning) {
  // With nothing pending a call sleeps in the event loop until something arrives, so a
  // wait for a timer takes a call or a few, not the thousands a polling loop would make.
  QtMessagePump pump(std::chrono::seconds(30));
  bool fired = false;
  QTimer::singleShot(50, [&] { fired = true; });
  int calls = 0;
  while (!fired && calls < 1000) {
    pump.processPendingMessages();
    ++calls;
  }
  EXPECT_TRUE(fired) << calls << " calls";
}

}  // namespace
}  // namespace quillon::webengine
