#pragma once

#include "base/MessagePump.h"
#include "webfetch/FetchLimits.h"
#include "webfetch/HostBackoff.h"
#include "webfetch/HttpFetcher.h"
#include "webfetch/TWebDataItem.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::webfetch {

// The web data component: fetches the pages of its items and keeps the last one fetched as
// a list of 8-bit lines. Pending messages are handled through the pump during each fetch,
// so the owner's handlers may run, and may use this component, in the middle of Execute.
class TWebData {
 public:
  // Throws WebFetchError for a malformed host override or a limit that is not positive.
  explicit TWebData(MessagePump& pump, std::vector<std::string> hostOverrides = {},
                    FetchLimits limits = {});

  // The user-agent text sent with each request.
  std::string Agent = "WebData";
  TWebDataCollection Data;
  // The lines of the page fetched last; replaced only by a successful fetch.
  std::vector<std::string> PageLines;

  // Fetches each enabled item in order, replacing PageLines with every page fetched. A
  // failed fetch raises nothing and changes nothing. Returns true when the fetch of the last
  // enabled item succeeded, so that PageLines now hold its page.
  bool Execute();

  // One page fetched with the component's agent, routing and limits, leaving PageLines and
  // Data alone: its body, or nothing when the fetch fails.
  std::optional<std::string> fetchPage(std::string_view url) const;

  // Overrides in the form of curl's --resolve, HOST:PORT:ADDRESS[,ADDRESS...]. Throws
  // WebFetchError for a malformed one and then keeps the earlier overrides.
  void setHostOverrides(std::vector<std::string> overrides);
  const std::vector<std::string>& hostOverrides() const { return m_routing.resolve; }

  // Overrides in the form of curl's --connect-to, HOST:PORT:CONNECT-HOST:CONNECT-PORT.
  // Throws WebFetchError for a malformed one and then keeps the earlier overrides.
  void setConnectTo(std::vector<std::string> overrides);
  const std::vector<std::string>& connectTo() const { return m_routing.connectTo; }

  // The proxy of every fetch, as ProxySetting::curlAddress gives it; empty for none.
  void setProxy(std::string proxy) { m_routing.proxy = std::move(proxy); }
  const std::string& proxy() const { return m_routing.proxy; }
  const HostRouting& routing() const { return m_routing; }
  // The refusals of each host, shared by this component's fetches and whoever else fetches
  // for the same owner (a run's e-mail searches).
  const std::shared_ptr<HostBackoff>& backoff() const { return m_backoff; }

  // Throws WebFetchError for a value that is not positive and then keeps the earlier limits.
  void setLimits(const FetchLimits& limits);
  const FetchLimits& limits() const { return m_limits; }

 private:
  MessagePump& m_pump;
  HostRouting m_routing;
  FetchLimits m_limits;
  std::shared_ptr<HostBackoff> m_backoff = std::make_shared<HostBackoff>();
};

}  // namespace quillon::webfetch
