#include "webfetch/FetchQueue.h"
#include "webfetch/FetchTestSupport.h"
#include "webfetch/LoopbackServer.h"
#include "webfetch/WebFetchError.h"

#include <algorithm>
#include <atomic>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <stdexcept>

namespace quillon::webfetch::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using ::testing::ElementsAre;
using ::testing::Optional;

FetchQueueOptions withTransfers(int maxTransfers, std::chrono::milliseconds hostGap = 1000ms) {
  FetchQueueOptions options;
  options.maxTransfers = maxTransfers;
  options.hostGap = hostGap;
  return options;
}

// Every host on port 80 reaches the server.
HostRouting toServer(const LoopbackServer& server) {
  return {{}, {"::127.0.0.1:" + std::to_string(server.port())}};
}

// The results of the fetches, by the order they were added.
struct Results {
  FetchCallback at(std::size_t index) {
    if (index >= results.size()) results.resize(index + 1);
    return [this, index](FetchResult result) {
      ++calls;
      results[index] = std::move(result);
    };
  }
  std::vector<FetchResult> results;
  int calls = 0;
};

TEST(FetchQueue, RefusesBadSettings) {
  NullMessagePump pump;
  const auto make = [&](HostRouting routing, FetchLimits limits, FetchQueueOptions options) {
    FetchQueue queue(pump, "Agent", std::move(routing), limits, options);
  };
  EXPECT_THROW(make({}, fastLimits(), withTransfers(0)), WebFetchError);
  EXPECT_THROW(make({}, fastLimits(), withTransfers(1, -1ms)), WebFetchError);
  EXPECT_THROW(make({{"rossi.test:80"}, {}}, fastLimits(), {}), WebFetchError);
  EXPECT_THROW(make({{}, {"a:1:b"}}, fastLimits(), {}), WebFetchError);
  FetchLimits limits = fastLimits();
  limits.maxRedirects = 0;
  EXPECT_THROW(make({}, limits, {}), WebFetchError);
  EXPECT_NO_THROW(make({}, fastLimits(), withTransfers(1, 0ms)));
}

TEST(FetchQueue, FetchesLikeTheFetcherAndTellsTheFinalAddress) {
  LoopbackServer server([](const Request& request, Connection& c) {
    const std::map<std::string, std::string> answers = {
        {"/start", httpResponse(302, "", "Location: /next\r\n")},
        {"/next", httpResponse(301, "", "Location: http://www.rossi.test/final\r\n")},
        {"/final", httpResponse(200, "final page")},
        {"/error", httpResponse(500, "error page")},
    };
    const auto found = answers.find(request.target);
    c.send(found != answers.end() ? found->second : httpResponse(404, "not here"));
  });
  CountingPump pump;
  FetchQueue queue(pump, "Queue agent", toServer(server), fastLimits(), withTransfers(4, 0ms));
  Results results;
  queue.add("http://rossi.test/start", results.at(0));
  queue.add("http://rossi.test/missing", results.at(1));
  queue.add("http://rossi.test/error", results.at(2));
  queue.add("file:///etc/hosts", results.at(3));
  EXPECT_EQ(results.calls, 0);  // never from inside add
  queue.wait();
  ASSERT_EQ(results.calls, 4);
  EXPECT_TRUE(queue.idle());

  EXPECT_THAT(results.results[0].body, Optional(std::string("final page")));
  EXPECT_EQ(results.results[0].finalUrl, "http://www.rossi.test/final");
  EXPECT_EQ(results.results[1].body, std::nullopt);
  EXPECT_THAT(results.results[2].body, Optional(std::string("error page")));
  EXPECT_EQ(results.results[3].body, std::nullopt);
  EXPECT_EQ(results.results[3].finalUrl, "file:///etc/hosts");
  for (const FetchResult& result : results.results) EXPECT_FALSE(result.cancelled);

  const std::vector<Request> requests = server.requests();
  ASSERT_EQ(requests.size(), 5u);
  for (const Request& request : requests) {
    EXPECT_EQ(request.header("User-Agent"), "Queue agent");
    EXPECT_EQ(request.header("Cache-Control"), "no-cache");
  }
}

TEST(FetchQueue, RunsAtMostTheAllowedTransfersAtOnce) {
  std::atomic<int> active{0};
  std::atomic<int> most{0};
  LoopbackServer server([&](const Request&, Connection& c) {
    const int now = ++active;
    int seen = most.load();
    while (now > seen && !most.compare_exchange_weak(seen, now)) {
    }
    c.wait(200ms);
    --active;  // before the answer, which lets the client start the next transfer
    c.send(httpResponse(200, "page"));
  });
  CountingPump pump;
  FetchQueue queue(pump, "Agent", {}, fastLimits(), withTransfers(3));
  std::size_t mostRunning = 0;
  pump.action = [&](int) { mostRunning = std::max(mostRunning, queue.running()); };
  Results results;
  for (std::size_t i = 0; i < 9; ++i) {
    queue.add(server.url("/") + std::to_string(i), results.at(i), FetchQueue::Pacing::Unpaced);
  }
  queue.wait();
  ASSERT_EQ(results.calls, 9);
  for (const FetchResult& result : results.results) {
    EXPECT_THAT(result.body, Optional(std::string("page")));
  }
  EXPECT_EQ(most.load(), 3);
  EXPECT_EQ(mostRunning, 3u);
}

TEST(FetchQueue, KeepsTheGapBetweenStartsOnOneHostUnlessUnpaced) {
  std::mutex mutex;
  std::map<std::string, std::vector<Clock::time_point>> arrivals;
  std::atomic<int> unpacedArrived{0};
  std::atomic<int> unpacedTogether{0};
  LoopbackServer server([&](const Request& request, Connection& c) {
    {
      const std::lock_guard lock(mutex);
      arrivals[request.header("Host")].push_back(Clock::now());
    }
    if (request.target == "/unpaced") {
      // Held until all three are in: proof that none waited for the others' gap.
      ++unpacedArrived;
      const auto deadline = Clock::now() + kBound;
      while (unpacedArrived < 3 && Clock::now() < deadline) c.wait(5ms);
      if (unpacedArrived == 3) ++unpacedTogether;
    }
    c.send(httpResponse(200, "page"));
  });
  constexpr auto kGap = 500ms;
  CountingPump pump;
  FetchQueue queue(pump, "Agent", toServer(server), fastLimits(), withTransfers(8, kGap));
  Results results;
  for (std::size_t i = 0; i < 3; ++i) queue.add("http://a.test/paced", results.at(i));
  queue.add("http://b.test/paced", results.at(3));
  for (std::size_t i = 4; i < 7; ++i) {
    queue.add("http://c.test/unpaced", results.at(i), FetchQueue::Pacing::Unpaced);
  }
  queue.wait();
  ASSERT_EQ(results.calls, 7);

  const std::lock_guard lock(mutex);
  const std::vector<Clock::time_point>& a = arrivals["a.test"];
  ASSERT_EQ(a.size(), 3u);
  // Measured where the requests arrive; a little of the gap may go to the way there.
  EXPECT_GE(a[1] - a[0], kGap * 4 / 5);
  EXPECT_GE(a[2] - a[1], kGap * 4 / 5);
  // Another host does not wait for a.test's gap.
  ASSERT_EQ(arrivals["b.test"].size(), 1u);
  EXPECT_LT(arrivals["b.test"][0], a[1]);
  EXPECT_EQ(unpacedTogether.load(), 3);
}

TEST(FetchQueue, CancelAllEndsEveryFetchAtOnceAndReportsEachAsCancelled) {
  std::atomic<int> hungUp{0};
  LoopbackServer server([&](const Request&, Connection& c) {
    if (!c.wait(20s)) ++hungUp;
  });
  CountingPump pump;
  FetchQueue queue(pump, "Agent", {}, fastLimits(), withTransfers(2));
  Results results;
  for (std::size_t i = 0; i < 5; ++i) {
    queue.add(server.url("/") + std::to_string(i), results.at(i), FetchQueue::Pacing::Unpaced);
  }
  // The first report adds another fetch, which is cancelled as well.
  queue.add(server.url("/added"), [&](FetchResult result) {
    results.at(5)(std::move(result));
    queue.add(server.url("/late"), results.at(6));
  });
  pump.action = [&](int) {
    if (server.requests().size() == 2) queue.cancelAll();
  };
  EXPECT_LT(timed([&] { queue.wait(); }), kBound);

  ASSERT_EQ(results.calls, 7);
  for (const FetchResult& result : results.results) {
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.body, std::nullopt);
  }
  EXPECT_EQ(results.results[6].finalUrl, server.url("/late"));
  EXPECT_TRUE(queue.idle());
  // The two running transfers were dropped, not waited for; the others never started.
  const auto deadline = Clock::now() + kBound;
  while (hungUp < 2 && Clock::now() < deadline) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(hungUp.load(), 2);
  EXPECT_EQ(server.requests().size(), 2u);
}

TEST(FetchQueue, DestroyingTheQueueDropsItsTransfersWithoutReports) {
  std::atomic<int> hungUp{0};
  LoopbackServer server([&](const Request&, Connection& c) {
    if (!c.wait(20s)) ++hungUp;
  });
  NullMessagePump pump;
  int calls = 0;
  {
    FetchQueue queue(pump, "Agent", {}, fastLimits(), withTransfers(1));
    queue.add(server.url("/a"), [&](FetchResult) { ++calls; });
    queue.add(server.url("/b"), [&](FetchResult) { ++calls; });
    const auto deadline = Clock::now() + kBound;
    while (server.requests().empty() && Clock::now() < deadline) queue.drive();
  }
  const auto deadline = Clock::now() + kBound;
  while (hungUp < 1 && Clock::now() < deadline) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(hungUp.load(), 1);
  EXPECT_EQ(calls, 0);
}

TEST(FetchQueue, WaitingPumpsAllAlongAndDrivingNeverWaits) {
  LoopbackServer server([](const Request&, Connection& c) { c.hold(); });
  CountingPump pump;
  FetchQueue queue(pump, "Agent", {}, fastLimits(), withTransfers(2));
  Results results;
  queue.add(server.url("/"), results.at(0));
  Clock::duration longestDrive{};
  for (int i = 0; i < 20; ++i) longestDrive = std::max(longestDrive, timed([&] { queue.drive(); }));
  // A drive polls nothing: far below one poll of the wait, let alone the stall.
  EXPECT_LT(longestDrive, 500ms);
  EXPECT_EQ(results.calls, 0);

  queue.wait();  // the total time-out of 1.5 s ends the stall
  EXPECT_EQ(results.calls, 1);
  EXPECT_EQ(results.results[0].body, std::nullopt);
  EXPECT_GE(pump.calls, 10);
}

TEST(FetchQueue, ACallbackMayAddFetchesAndWhatItRaisesLeavesTheCallThatRanIt) {
  LoopbackServer server(
      [](const Request& request, Connection& c) { c.send(httpResponse(200, request.target)); });
  CountingPump pump;
  FetchQueue queue(pump, "Agent", {}, fastLimits(), withTransfers(1));
  std::vector<std::string> bodies;
  const auto record = [&](FetchResult result) { bodies.push_back(result.body.value_or("-")); };
  queue.add(server.url("/first"), [&](FetchResult result) {
    record(std::move(result));
    queue.add(server.url("/added"), record);
    throw std::runtime_error("handler failed");
  });
  queue.add(server.url("/second"), record);
  EXPECT_THROW(queue.wait(), std::runtime_error);
  EXPECT_FALSE(queue.idle());
  queue.wait();
  EXPECT_THAT(bodies, ElementsAre("/first", "/second", "/added"));
}

}  // namespace
}  // namespace quillon::webfetch::testing
