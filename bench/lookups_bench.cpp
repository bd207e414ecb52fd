// The Italian e-mail lookups of one result page, 20 listing pages on a loopback host that
// answers each after 200 ms: one after another through TWebData, as a capture did them,
// and side by side through the fetch queue. Both must find the same addresses.
// Target: the page's lookups take at most about 1.5 times its slowest single lookup
// (compare Concurrent with Single); Sequential shows what the queue saves.

#include "webfetch/EmailLookup.h"
#include "webfetch/FetchQueue.h"
#include "webfetch/LoopbackServer.h"
#include "webfetch/TWebData.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace quillon;
using namespace quillon::webfetch;
using testing::Connection;
using testing::LoopbackServer;
using testing::Request;

constexpr int kLookups = 20;
constexpr std::chrono::milliseconds kDelay{200};

LoopbackServer& listingHost() {
  static LoopbackServer server([](const Request& request, Connection& connection) {
    if (!connection.wait(kDelay)) return;
    const std::string listing = request.target.substr(request.target.rfind('/') + 1);
    connection.send(testing::httpResponse(
        200, "<html><body>\r\n<h1>Ditta " + listing + "</h1>\r\n<a href=\"mailto:info@ditta" +
                 listing + ".test\">scrivici</a>\r\n</body></html>\r\n"));
  });
  return server;
}

std::vector<std::string> listingUrls() {
  std::vector<std::string> urls;
  for (int i = 0; i < kLookups; ++i)
    urls.push_back(listingHost().url("/scheda/") + std::to_string(i));
  return urls;
}

std::vector<std::string> expectedEmails() {
  std::vector<std::string> emails;
  for (int i = 0; i < kLookups; ++i) emails.push_back("info@ditta" + std::to_string(i) + ".test");
  return emails;
}

void Single(benchmark::State& state) {
  NullMessagePump pump;
  TWebData webData(pump);
  const std::string url = listingUrls().front();
  for (auto _ : state) {
    if (fetchEmailfromHTTP(webData, url) != expectedEmails().front()) {
      state.SkipWithError("wrong address");
    }
  }
}
BENCHMARK(Single)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void Sequential(benchmark::State& state) {
  NullMessagePump pump;
  TWebData webData(pump);
  const std::vector<std::string> urls = listingUrls();
  for (auto _ : state) {
    std::vector<std::string> emails;
    for (const std::string& url : urls) emails.push_back(fetchEmailfromHTTP(webData, url));
    if (emails != expectedEmails()) state.SkipWithError("wrong addresses");
  }
}
BENCHMARK(Sequential)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Argument: the transfers allowed at once.
void Concurrent(benchmark::State& state) {
  NullMessagePump pump;
  FetchQueueOptions options;
  options.maxTransfers = static_cast<int>(state.range(0));
  FetchQueue queue(pump, "WebData", {}, FetchLimits{}, options);
  const std::vector<std::string> urls = listingUrls();
  for (auto _ : state) {
    std::vector<std::string> emails(urls.size());
    for (std::size_t i = 0; i < urls.size(); ++i) {
      lookupEmailLater(queue, urls[i], [&emails, i](std::string email) { emails[i] = email; });
    }
    queue.wait();
    if (emails != expectedEmails()) state.SkipWithError("wrong addresses");
  }
}
BENCHMARK(Concurrent)
    ->Arg(8)
    ->Arg(kLookups)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
