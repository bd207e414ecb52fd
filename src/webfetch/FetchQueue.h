#pragma once

#include "base/MessagePump.h"
#include "webfetch/FetchLimits.h"
#include "webfetch/HostBackoff.h"
#include "webfetch/HttpFetcher.h"

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillon::webfetch {

class CurlMulti;
class CurlTransfer;

// How one fetch of a FetchQueue ended.
struct FetchResult {
  // The body, byte for byte, under HttpFetcher's rules; nothing when the fetch failed or
  // was cancelled.
  std::optional<std::string> body;
  // The address fetched last, after redirects (the address given when no request was made).
  std::string finalUrl;
  // The final HTTP status, after redirects; 0 when no answer came. A body comes with a status
  // below 300 or with 500, which HttpFetcher reads like 200.
  long status = 0;
  bool cancelled = false;
};

using FetchCallback = std::function<void(FetchResult)>;

struct FetchQueueOptions {
  // Transfers running at the same time; at least 1.
  int maxTransfers = 8;
  // The least time between the starts of two requests to the same host name (with or
  // without "www."), for the fetches added with Pacing::HostGap; zero or more.
  std::chrono::milliseconds hostGap{1000};
  // The hosts' refusals, shared with the owner's other fetches; the queue keeps its own
  // when none is given.
  std::shared_ptr<HostBackoff> backoff = {};
};

// Fetches many pages at the same time on the caller's thread: libcurl's multi interface,
// moved on by drive(), which the owner's message pump calls on every pass, and by wait().
// Each fetch has HttpFetcher's limits, redirects, status rules, body cap, host routing and
// user agent. A fetch that its host refuses (HTTP 429 or 503) waits as the host asks and is
// made again, three requests in all, and no fetch goes to that host until the wait is over.
// Callbacks run from drive(), wait() and cancelAll() only, in the order the fetches end; a callback
// may add fetches. What a callback raises leaves the call that ran it; the fetches that ended after
// it are reported by the next call.
class FetchQueue {
 public:
  enum class Pacing {
    HostGap,  // starts no sooner than hostGap after the last start on the same host
    Unpaced,  // starts as soon as a transfer is free
  };

  // Throws WebFetchError for a malformed host override or connection override, a limit
  // that is not positive, a bad option, or when the HTTP library cannot be set up.
  FetchQueue(MessagePump& pump, std::string agent, HostRouting routing, FetchLimits limits,
             FetchQueueOptions options = {});
  // Ends every transfer at once; calls no callback.
  ~FetchQueue();
  FetchQueue(const FetchQueue&) = delete;
  FetchQueue& operator=(const FetchQueue&) = delete;

  // Queues a fetch of url (UTF-8, as a row or page gave it); done hears how it ended, exactly once,
  // never from inside add. An address that cannot be fetched is reported as failed.
  void add(std::string url, FetchCallback done, Pacing pacing = Pacing::HostGap);

  // Starts what may start, moves every transfer on without waiting, and reports the fetches
  // that have ended. Never blocks; the owner's pump calls it on every pass.
  void drive();

  // Pumps messages and drives until every fetch, those added meanwhile included, has been
  // reported; each wait for the network lasts at most 20 ms. Raises what the pump raises.
  void wait();

  // Ends every fetch at once, those added by the callbacks it runs included: the ones not
  // yet ended are reported with no body and `cancelled` set, before it returns.
  void cancelAll();

  // True when every fetch added has been reported.
  bool idle() const;
  // Fetches added and not yet reported, and of these the ones whose transfer is running.
  std::size_t unreported() const;
  std::size_t running() const { return m_running.size(); }

 private:
  struct Fetch;
  void step(std::chrono::milliseconds maxWait);
  bool startWaiting();
  bool mayStart(const Fetch& fetch, std::chrono::steady_clock::time_point now) const;
  // Puts a refused fetch back in line, or false when it has made its last request.
  bool requeueRefused(std::unique_ptr<Fetch>& fetch, CurlTransfer& transfer);
  void collectEnded();
  void failRunning();
  void deliverEnded();
  std::chrono::milliseconds untilNextStart(std::chrono::milliseconds cap) const;

  MessagePump& m_pump;
  std::string m_agent;
  HostRouting m_routing;
  FetchLimits m_limits;
  FetchQueueOptions m_options;
  std::unique_ptr<CurlMulti> m_multi;
  std::deque<std::unique_ptr<Fetch>> m_waiting;
  std::vector<std::unique_ptr<Fetch>> m_running;
  std::deque<std::unique_ptr<Fetch>> m_ended;
  std::map<std::string, std::chrono::steady_clock::time_point> m_lastStart;
  bool m_stepping = false;
};

}  // namespace quillon::webfetch
