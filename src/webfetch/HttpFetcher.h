#pragma once

#include "webfetch/FetchLimits.h"
#include "base/MessagePump.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::webfetch {

// Fetches pages over HTTP and HTTPS with libcurl, always from the server, following
// redirects, within the given limits. Pending messages are handled through the pump while
// the fetch connects and waits, and before each chunk of at most 4,096 bytes of the body.
class HttpFetcher {
 public:
  // hostOverrides must have passed checkHostOverride, limits checkFetchLimits.
  HttpFetcher(MessagePump& pump, std::string agent, std::vector<std::string> hostOverrides,
              FetchLimits limits);

  // The body of the page at url, byte for byte; nothing when the fetch fails: a scheme other
  // than http or https, no connection, a final status of 300 or more other than 500, or no
  // byte of body. A body cut by the cap, a time-out or a dropped connection keeps what was
  // read. Raises only what the pump raises.
  std::optional<std::string> get(std::string_view url) const;

 private:
  MessagePump& m_pump;
  std::string m_agent;
  std::vector<std::string> m_hostOverrides;
  FetchLimits m_limits;
};

// True when url names an http or https address that can be handed to the client library.
bool isFetchableUrl(std::string_view url);

}  // namespace quillon::webfetch
