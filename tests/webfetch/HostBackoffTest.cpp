#include "webfetch/FetchQueue.h"
#include "webfetch/FetchTestSupport.h"
#include "webfetch/HostBackoff.h"
#include "webfetch/LoopbackServer.h"
#include "webfetch/TWebData.h"

#include <atomic>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <mutex>

namespace quillon::webfetch::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using ::testing::Optional;

TEST(RetryAfter, SecondsOrAnHttpDateCountedFromTheRefusalWithinBounds) {
  // Sun, 06 Nov 1994 08:49:37 GMT
  const auto refusal = std::chrono::system_clock::from_time_t(784111777);
  EXPECT_EQ(retryAfterWait("5", refusal), 5s);
  EXPECT_EQ(retryAfterWait(" 0 ", refusal), 0s);
  EXPECT_EQ(retryAfterWait("120", refusal), 120s);
  EXPECT_EQ(retryAfterWait("121", refusal), 120s);
  EXPECT_EQ(retryAfterWait("99999999999999999999", refusal), 120s);
  EXPECT_EQ(retryAfterWait(std::nullopt, refusal), 30s);
  EXPECT_EQ(retryAfterWait("", refusal), 30s);
  EXPECT_EQ(retryAfterWait("-5", refusal), 30s);
  EXPECT_EQ(retryAfterWait("soon", refusal), 30s);
  // The three forms of an HTTP date, 40 s after the refusal.
  EXPECT_EQ(retryAfterWait("Sun, 06 Nov 1994 08:50:17 GMT", refusal), 40s);
  EXPECT_EQ(retryAfterWait("Sunday, 06-Nov-94 08:50:17 GMT", refusal), 40s);
  EXPECT_EQ(retryAfterWait("Sun Nov  6 08:50:17 1994", refusal), 40s);
  EXPECT_EQ(retryAfterWait("Sun, 06 Nov 1994 09:49:37 GMT", refusal), 120s);
  EXPECT_EQ(retryAfterWait("Sun, 06 Nov 1994 08:00:00 GMT", refusal), 0s);
  EXPECT_EQ(retryAfterWait("Sun, 06 Nov 1994 08:50:17 GMT trailing", refusal), 30s);
}

// A server that refuses the first `refusals` requests to /page (429 or 503, the n-th with
// the n-th Retry-After or the last one given) and then answers, noting when each request came.
class RefusingServer {
 public:
  RefusingServer(int refusals, int status, std::vector<std::string> retryAfter)
      : m_server([this, refusals, status, retryAfter](const Request& request, Connection& c) {
          const std::lock_guard lock(m_mutex);
          m_times[request.target].push_back(Clock::now());
          const std::size_t count = m_times["/page"].size();
          if (request.target != "/page" || static_cast<int>(count) > refusals) {
            c.send(httpResponse(200, "listings of " + request.target));
            return;
          }
          const std::string& wait = retryAfter[std::min(count, retryAfter.size()) - 1];
          c.send(httpResponse(status, "slow down", "Retry-After: " + wait + "\r\n"));
        }) {}

  std::string url(std::string_view target) const { return m_server.url(target); }
  std::vector<Clock::time_point> times(const std::string& target) {
    const std::lock_guard lock(m_mutex);
    return m_times[target];
  }

 private:
  std::mutex m_mutex;
  std::map<std::string, std::vector<Clock::time_point>> m_times;
  LoopbackServer m_server;
};

TEST(FetchQueueBackoff, ARefusedFetchWaitsAsAskedAndSoDoesTheNextRequestToThatHost) {
  RefusingServer server(1, 429, {"1"});
  NullMessagePump pump;
  FetchQueueOptions options;
  options.hostGap = 0ms;
  FetchQueue queue(pump, "Agent", {}, fastLimits(), options);
  std::optional<std::string> page, other;
  queue.add(server.url("/page"), [&](FetchResult r) { page = r.body; });
  // Added while the first waits out its refusal, unpaced as the directory's lookups are.
  bool added = false;
  while (!page) {
    queue.drive();
    if (!added && server.times("/page").size() == 1 && queue.running() == 0) {
      added = true;
      queue.add(
          server.url("/other"), [&](FetchResult r) { other = r.body; },
          FetchQueue::Pacing::Unpaced);
    }
  }
  queue.wait();
  EXPECT_THAT(page, Optional(std::string("listings of /page")));
  EXPECT_THAT(other, Optional(std::string("listings of /other")));
  const auto pageTimes = server.times("/page");
  ASSERT_EQ(pageTimes.size(), 2u);
  EXPECT_GE(pageTimes[1] - pageTimes[0], 1s);
  ASSERT_EQ(server.times("/other").size(), 1u);
  EXPECT_GE(server.times("/other")[0] - pageTimes[0], 1s);
}

TEST(FetchQueueBackoff, ThreeRefusalsAreTheEndOfAFetch) {
  RefusingServer server(5, 503, {"0"});
  NullMessagePump pump;
  FetchQueueOptions options;
  options.hostGap = 0ms;
  FetchQueue queue(pump, "Agent", {}, fastLimits(), options);
  FetchResult result;
  queue.add(server.url("/page"), [&](FetchResult r) { result = std::move(r); });
  queue.wait();
  EXPECT_EQ(result.body, std::nullopt);
  EXPECT_EQ(result.status, 503);
  EXPECT_EQ(server.times("/page").size(), 3u);
}

TEST(HttpFetcherBackoff, ADetailPageIsFetchedAgainAndItsHostWaitsForEveryFetchOfTheOwner) {
  RefusingServer server(2, 503, {"0"});
  CountingPump pump;
  TWebData webData(pump, {}, fastLimits());
  EXPECT_THAT(webData.fetchPage(server.url("/page")), Optional(std::string("listings of /page")));
  EXPECT_EQ(server.times("/page").size(), 3u);

  // The third refusal ends the fetch; the wait it asks for holds back the run's lookups,
  // which share the component's back-off.
  RefusingServer refusing(3, 429, {"0", "0", "100"});
  EXPECT_EQ(webData.fetchPage(refusing.url("/page")), std::nullopt);
  EXPECT_EQ(refusing.times("/page").size(), 3u);
  EXPECT_GE(webData.backoff()->readyAt("127.0.0.1"), Clock::now() + 90s);
  EXPECT_GT(pump.calls, 0);
}

}  // namespace
}  // namespace quillon::webfetch::testing
