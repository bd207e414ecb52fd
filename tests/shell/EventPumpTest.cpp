#include "shell/EventPump.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <gtest/gtest.h>

namespace quillon::shell {
namespace {

TEST(EventPump, HandlesPendingEvents) {
  EventPump pump;
  int calls = 0;
  QTimer::singleShot(0, [&] { ++calls; });
  QMetaObject::invokeMethod(
      qApp, [&] { ++calls; }, Qt::QueuedConnection);
  for (int pass = 0; pass < 100 && calls < 2; ++pass) pump.processPendingMessages();
  EXPECT_EQ(calls, 2);
}

TEST(EventPump, SleepsUntilTheNextEventWhenNothingIsPending) {
  // One call sleeps in the event loop, so a timer that falls due meanwhile is handled by
  // that same call instead of being polled for.
  EventPump pump(std::chrono::seconds(30));
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  int calls = 0;
  QTimer::singleShot(5, [&] { ++calls; });
  pump.processPendingMessages();
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace quillon::shell
