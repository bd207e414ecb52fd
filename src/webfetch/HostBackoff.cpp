#include "webfetch/HostBackoff.h"

#include "text/Ascii.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

namespace quillon::webfetch {
namespace {

constexpr std::chrono::seconds kDefaultWait{30};
constexpr std::chrono::seconds kLongestWait{120};
// Hosts whose wait is over say nothing; they are dropped past this many.
constexpr std::size_t kHostsKept = 256;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text::isAsciiSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && text::isAsciiSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::chrono::system_clock::time_point> httpDate(std::string_view value) {
  // The three forms that HTTP allows, read in the C locale whatever the user's is.
  static constexpr std::array kForms{"%a, %d %b %Y %H:%M:%S GMT", "%A, %d-%b-%y %H:%M:%S GMT",
                                     "%a %b %d %H:%M:%S %Y"};
  for (const char* form : kForms) {
    std::tm parts{};
    std::istringstream in{std::string(value)};
    in.imbue(std::locale::classic());
    in >> std::get_time(&parts, form);
    if (in.fail()) continue;
    in >> std::ws;
    if (!in.eof()) continue;
    const std::time_t time = timegm(&parts);
    if (time == -1) continue;
    return std::chrono::system_clock::from_time_t(time);
  }
  return std::nullopt;
}

}  // namespace

std::chrono::milliseconds retryAfterWait(std::optional<std::string_view> value,
                                         std::chrono::system_clock::time_point now) {
  using std::chrono::milliseconds;
  if (!value) return kDefaultWait;
  const std::string_view text = trimmed(*value);
  if (!text.empty() && std::all_of(text.begin(), text.end(), text::isAsciiDigit)) {
    // A long run of digits is a long wait: the cap decides.
    if (text.size() > 6) return kLongestWait;
    return std::min<milliseconds>(std::chrono::seconds(std::stol(std::string(text))), kLongestWait);
  }
  const auto date = httpDate(text);
  if (!date) return kDefaultWait;
  if (*date <= now) return milliseconds(0);
  return std::min<milliseconds>(std::chrono::ceil<milliseconds>(*date - now), kLongestWait);
}

std::chrono::milliseconds HostBackoff::refused(const std::string& site,
                                               std::optional<std::string_view> retryAfter) {
  const Clock::time_point now = Clock::now();
  if (m_readyAt.size() > kHostsKept) {
    std::erase_if(m_readyAt, [&](const auto& entry) { return entry.second <= now; });
  }
  const std::chrono::milliseconds wait =
      retryAfterWait(retryAfter, std::chrono::system_clock::now());
  Clock::time_point& ready = m_readyAt[site];
  ready = std::max(ready, now + wait);
  return wait;
}

HostBackoff::Clock::time_point HostBackoff::readyAt(const std::string& site) const {
  const auto found = m_readyAt.find(site);
  return found == m_readyAt.end() ? Clock::time_point{} : found->second;
}

}  // namespace quillon::webfetch
