#pragma once

#include "base/MessagePump.h"
#include "webfetch/FetchLimits.h"
#include "webfetch/HostBackoff.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::webfetch {

// Where requests go instead of where name resolution sends them, in the forms of curl's
// --resolve (HOST:PORT:ADDRESS) and --connect-to (HOST:PORT:CONNECT-HOST:CONNECT-PORT)
// options; checked by checkHostOverride and checkConnectTo. And the proxy they go through,
// as ProxySetting::curlAddress gives it (empty: none).
struct HostRouting {
  std::vector<std::string> resolve;
  std::vector<std::string> connectTo;
  std::string proxy = {};
};

// Fetches pages over HTTP and HTTPS with libcurl, always from the server, following
// redirects, within the given limits. Pending messages are handled through the pump while
// the fetch connects and waits, and before each chunk of at most 4,096 bytes of the body.
class HttpFetcher {
 public:
  // limits must have passed checkFetchLimits. With a back-off, a host's refusal (HTTP 429 or
  // 503) makes the fetch wait as the host asks and try again, three requests in all, and
  // every later request to that host wait too.
  HttpFetcher(MessagePump& pump, std::string agent, HostRouting routing, FetchLimits limits,
              HostBackoff* backoff = nullptr);

  // The body of the page at url, byte for byte; nothing when the fetch fails: a scheme other
  // than http or https, no connection, a final status of 300 or more other than 500, or no
  // byte of body. A body cut by the cap, a time-out or a dropped connection keeps what was
  // read. Raises only what the pump raises.
  std::optional<std::string> get(std::string_view url) const;

 private:
  std::optional<std::string> getOnce(std::string_view url, long& status,
                                     std::optional<std::string>& retryAfter) const;

  MessagePump& m_pump;
  std::string m_agent;
  HostRouting m_routing;
  FetchLimits m_limits;
  HostBackoff* m_backoff;
};

}  // namespace quillon::webfetch
