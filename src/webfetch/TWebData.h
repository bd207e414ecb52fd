#pragma once

#include "base/MessagePump.h"
#include "webfetch/FetchLimits.h"
#include "webfetch/HttpFetcher.h"
#include "webfetch/TWebDataItem.h"

#include <string>
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

  // Overrides in the form of curl's --resolve, HOST:PORT:ADDRESS[,ADDRESS...]. Throws
  // WebFetchError for a malformed one and then keeps the earlier overrides.
  void setHostOverrides(std::vector<std::string> overrides);
  const std::vector<std::string>& hostOverrides() const { return m_routing.resolve; }

  // Overrides in the form of curl's --connect-to, HOST:PORT:CONNECT-HOST:CONNECT-PORT.
  // Throws WebFetchError for a malformed one and then keeps the earlier overrides.
  void setConnectTo(std::vector<std::string> overrides);
  const std::vector<std::string>& connectTo() const { return m_routing.connectTo; }

  // Throws WebFetchError for a value that is not positive and then keeps the earlier limits.
  void setLimits(const FetchLimits& limits);
  const FetchLimits& limits() const { return m_limits; }

 private:
  MessagePump& m_pump;
  HostRouting m_routing;
  FetchLimits m_limits;
};

}  // namespace quillon::webfetch
