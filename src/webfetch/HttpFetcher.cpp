#include "webfetch/HttpFetcher.h"

#include "webfetch/CurlMulti.h"
#include "webfetch/CurlTransfer.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

namespace quillon::webfetch {
namespace {

// How long one wait for network activity may keep the pump from running.
constexpr std::chrono::milliseconds kPollTime{20};

}  // namespace

HttpFetcher::HttpFetcher(MessagePump& pump, std::string agent, HostRouting routing,
                         FetchLimits limits)
    : m_pump(pump), m_agent(std::move(agent)), m_routing(std::move(routing)), m_limits(limits) {}

std::optional<std::string> HttpFetcher::get(std::string_view url) const {
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
  return transfer->takeBody();
}

}  // namespace quillon::webfetch
