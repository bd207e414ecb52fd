#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::webfetch {

// True for the answers with which a site asks to be left alone for a while.
constexpr bool isRefusalStatus(long status) { return status == 429 || status == 503; }

// The most requests one fetch makes while its host refuses it.
inline constexpr int kMaxRequestsPerFetch = 3;

// The wait that a Retry-After value asks for, counted from `now` (the moment of the
// refusal): a number of seconds, or an HTTP date (IMF-fixdate, RFC 850 or asctime form);
// 30 s for none or one that does not read; at most 120 s; a date gone by asks for none.
std::chrono::milliseconds retryAfterWait(std::optional<std::string_view> value,
                                         std::chrono::system_clock::time_point now);

// The refusals of each host (HTTP 429 or 503): after one, no request goes to that host (with
// or without "www.") until its wait is over. Shared by every fetch of a run, so that one
// refused fetch makes the next request to that host wait too.
class HostBackoff {
 public:
  using Clock = std::chrono::steady_clock;

  // Notes a refusal by the host now and returns its wait.
  std::chrono::milliseconds refused(const std::string& site,
                                    std::optional<std::string_view> retryAfter);
  // When the next request to the host may go: a time gone by for a host that refused none.
  Clock::time_point readyAt(const std::string& site) const;

 private:
  std::map<std::string, Clock::time_point> m_readyAt;
};

}  // namespace quillon::webfetch
