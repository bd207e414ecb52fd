#include "webfetch/HttpFetcher.h"

#include "url/UrlParts.h"
#include "webfetch/CurlMulti.h"
#include "webfetch/CurlTransfer.h"
#include "webfetch/SiteAddress.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <thread>
#include <utility>

namespace quillon::webfetch {
namespace {

// How long one wait for network activity may keep the pump from running.
constexpr std::chrono::milliseconds kPollTime{20};

}  // namespace

HttpFetcher::HttpFetcher(MessagePump& pump, std::string agent, HostRouting routing,
                         FetchLimits limits, HostBackoff* backoff)
    : m_pump(pump),
      m_agent(std::move(agent)),
      m_routing(std::move(routing)),
      m_limits(limits),
      m_backoff(backoff) {}

std::optional<std::string> HttpFetcher::get(std::string_view url) const {
  const std::string site(siteName(url::urlHost(url)));
  for (int request = 1;; ++request) {
    if (m_backoff != nullptr) {
      while (HostBackoff::Clock::now() < m_backoff->readyAt(site)) {
        m_pump.processPendingMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    long status = 0;
    std::optional<std::string> retryAfter;
    std::optional<std::string> body = getOnce(url, status, retryAfter);
    if (m_backoff == nullptr || !isRefusalStatus(status)) return body;
    m_backoff->refused(site, retryAfter);
    if (request >= kMaxRequestsPerFetch) return std::nullopt;
  }
}

std::optional<std::string> HttpFetcher::getOnce(std::string_view url, long& status,
                                                std::optional<std::string>& retryAfter) const {
  const std::unique_ptr<CurlTransfer> transfer =
      CurlTransfer::make(url, m_agent, m_routing, m_limits);
  if (!transfer) return std::nullopt;
  transfer->setChunkHook([this] { m_pump.processPendingMessages(); });
  CurlMulti multi;
  if (!multi.add(*transfer)) return std::nullopt;
  struct Detach {
    CurlMulti& multi;
    CurlTransfer& transfer;
    ~Detach() { multi.remove(transfer); }
  } detach{multi, *transfer};

  // The multi interface leaves the waiting to us, so messages keep flowing while the
  // fetch resolves, connects and waits for data; the time-outs end every transfer.
  while (!transfer->error()) {
    m_pump.processPendingMessages();
    transfer->markChunkHookCalled();
    if (!multi.perform() || multi.nextEnded() != nullptr || transfer->error()) break;
    if (!multi.poll(kPollTime)) break;
  }
  if (transfer->error()) std::rethrow_exception(transfer->error());
  status = transfer->status();
  retryAfter = transfer->retryAfter();
  return transfer->takeBody();
}

}  // namespace quillon::webfetch
