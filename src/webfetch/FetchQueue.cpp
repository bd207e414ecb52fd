#include "webfetch/FetchQueue.h"

#include "url/UrlParts.h"
#include "webfetch/CurlMulti.h"
#include "webfetch/CurlTransfer.h"
#include "webfetch/HostOverride.h"
#include "webfetch/SiteAddress.h"
#include "webfetch/WebFetchError.h"

#include <algorithm>
#include <utility>

namespace quillon::webfetch {
namespace {

using Clock = std::chrono::steady_clock;

// How long one wait for network activity may keep the pump from running.
constexpr std::chrono::milliseconds kPollTime{20};
// Start times older than the gap say nothing; they are dropped past this many hosts.
constexpr std::size_t kStartsKept = 256;

}  // namespace

struct FetchQueue::Fetch {
  std::string url;
  FetchCallback done;
  Pacing pacing;
  std::string site;  // the key of the host gap
  std::unique_ptr<CurlTransfer> transfer;
  FetchResult result;
  int requests = 0;
};

FetchQueue::FetchQueue(MessagePump& pump, std::string agent, HostRouting routing,
                       FetchLimits limits, FetchQueueOptions options)
    : m_pump(pump),
      m_agent(std::move(agent)),
      m_routing(std::move(routing)),
      m_limits(limits),
      m_options(options),
      m_multi(std::make_unique<CurlMulti>()) {
  if (!m_options.backoff) m_options.backoff = std::make_shared<HostBackoff>();
  for (const std::string& entry : m_routing.resolve) checkHostOverride(entry);
  for (const std::string& entry : m_routing.connectTo) checkConnectTo(entry);
  checkFetchLimits(m_limits);
  if (m_options.maxTransfers < 1) throw WebFetchError("At least one transfer must be allowed");
  if (m_options.hostGap.count() < 0) throw WebFetchError("The gap between requests is negative");
  if (!m_multi->ok()) throw WebFetchError("The HTTP library could not be set up");
}

FetchQueue::~FetchQueue() {
  for (const auto& fetch : m_running) m_multi->remove(*fetch->transfer);
}

void FetchQueue::add(std::string url, FetchCallback done, Pacing pacing) {
  auto fetch = std::make_unique<Fetch>();
  fetch->site = siteName(url::urlHost(url));
  fetch->url = std::move(url);
  fetch->done = std::move(done);
  fetch->pacing = pacing;
  m_waiting.push_back(std::move(fetch));
}

void FetchQueue::drive() { step(std::chrono::milliseconds(0)); }

void FetchQueue::wait() {
  while (!idle()) {
    m_pump.processPendingMessages();
    step(kPollTime);
  }
}

void FetchQueue::cancelAll() {
  while (!idle()) {
    for (auto& fetch : m_running) {
      m_multi->remove(*fetch->transfer);
      fetch->result.finalUrl = fetch->transfer->finalUrl();
      fetch->transfer.reset();
      fetch->result.cancelled = true;
      m_ended.push_back(std::move(fetch));
    }
    m_running.clear();
    for (auto& fetch : m_waiting) {
      fetch->result.finalUrl = fetch->url;
      fetch->result.cancelled = true;
      m_ended.push_back(std::move(fetch));
    }
    m_waiting.clear();
    deliverEnded();
  }
}

bool FetchQueue::idle() const { return unreported() == 0; }

std::size_t FetchQueue::unreported() const {
  return m_waiting.size() + m_running.size() + m_ended.size();
}

void FetchQueue::step(std::chrono::milliseconds maxWait) {
  // A callback run below may drive the queue again; only the library's part is not
  // entered twice.
  if (!m_stepping) {
    m_stepping = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{m_stepping};
    startWaiting();
    if (m_multi->perform()) {
      collectEnded();
    } else {
      failRunning();
    }
    // Freed transfers take the next fetches at once.
    if (startWaiting() && !m_multi->perform()) failRunning();
    if (maxWait.count() > 0 && m_ended.empty() && !idle()) {
      m_multi->poll(untilNextStart(maxWait));
    }
  }
  deliverEnded();
}

bool FetchQueue::startWaiting() {
  const Clock::time_point now = Clock::now();
  if (m_lastStart.size() > kStartsKept) {
    std::erase_if(m_lastStart,
                  [&](const auto& entry) { return now - entry.second >= m_options.hostGap; });
  }
  bool started = false;
  const auto maxRunning = static_cast<std::size_t>(m_options.maxTransfers);
  for (auto it = m_waiting.begin(); it != m_waiting.end() && m_running.size() < maxRunning;) {
    Fetch& fetch = **it;
    if (!mayStart(fetch, now)) {
      ++it;
      continue;
    }
    fetch.transfer = CurlTransfer::make(fetch.url, m_agent, m_routing, m_limits);
    ++fetch.requests;
    if (fetch.transfer && m_multi->add(*fetch.transfer)) {
      m_lastStart[fetch.site] = now;
      m_running.push_back(std::move(*it));
      started = true;
    } else {
      fetch.transfer.reset();
      fetch.result.finalUrl = fetch.url;
      m_ended.push_back(std::move(*it));
    }
    it = m_waiting.erase(it);
  }
  return started;
}

void FetchQueue::collectEnded() {
  while (CurlTransfer* ended = m_multi->nextEnded()) {
    const auto found = std::find_if(m_running.begin(), m_running.end(),
                                    [ended](const auto& f) { return f->transfer.get() == ended; });
    if (found == m_running.end()) continue;
    Fetch& fetch = **found;
    m_multi->remove(*fetch.transfer);
    if (requeueRefused(*found, *fetch.transfer)) {
      m_running.erase(found);
      continue;
    }
    fetch.result.body = fetch.transfer->takeBody();
    fetch.result.status = fetch.transfer->status();
    fetch.result.finalUrl = fetch.transfer->finalUrl();
    fetch.transfer.reset();
    m_ended.push_back(std::move(*found));
    m_running.erase(found);
  }
}

// The library gave up on the multi handle: every transfer in it fails rather than hang.
bool FetchQueue::mayStart(const Fetch& fetch, Clock::time_point now) const {
  if (now < m_options.backoff->readyAt(fetch.site)) return false;
  if (fetch.pacing == Pacing::Unpaced) return true;
  const auto last = m_lastStart.find(fetch.site);
  return last == m_lastStart.end() || now - last->second >= m_options.hostGap;
}

bool FetchQueue::requeueRefused(std::unique_ptr<Fetch>& fetch, CurlTransfer& transfer) {
  if (!isRefusalStatus(transfer.status())) return false;
  m_options.backoff->refused(fetch->site, transfer.retryAfter());
  if (fetch->requests >= kMaxRequestsPerFetch) return false;
  fetch->transfer.reset();
  m_waiting.push_back(std::move(fetch));
  return true;
}

void FetchQueue::failRunning() {
  for (auto& fetch : m_running) {
    m_multi->remove(*fetch->transfer);
    fetch->result.finalUrl = fetch->transfer->finalUrl();
    fetch->transfer.reset();
    m_ended.push_back(std::move(fetch));
  }
  m_running.clear();
}

void FetchQueue::deliverEnded() {
  while (!m_ended.empty()) {
    std::unique_ptr<Fetch> fetch = std::move(m_ended.front());
    m_ended.pop_front();
    if (fetch->done) fetch->done(std::move(fetch->result));
  }
}

std::chrono::milliseconds FetchQueue::untilNextStart(std::chrono::milliseconds cap) const {
  // A fetch that waits for a free transfer is woken by the end of another, which the poll
  // sees; one that waits for its host's gap only by the clock.
  if (m_running.size() >= static_cast<std::size_t>(m_options.maxTransfers)) return cap;
  const Clock::time_point now = Clock::now();
  std::chrono::milliseconds wait = cap;
  for (const auto& fetch : m_waiting) {
    Clock::time_point start = m_options.backoff->readyAt(fetch->site);
    const auto last = m_lastStart.find(fetch->site);
    if (fetch->pacing == Pacing::HostGap && last != m_lastStart.end()) {
      start = std::max(start, last->second + m_options.hostGap);
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(start - now);
    wait = std::min(wait, std::max(left, std::chrono::milliseconds(0)));
  }
  return wait;
}

}  // namespace quillon::webfetch
