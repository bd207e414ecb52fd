#include "webfetch/TWebData.h"

#include "webfetch/HostOverride.h"
#include "webfetch/HttpFetcher.h"
#include "webfetch/PageLines.h"

#include <utility>

namespace quillon::webfetch {

TWebData::TWebData(MessagePump& pump, std::vector<std::string> hostOverrides, FetchLimits limits)
    : m_pump(pump) {
  setHostOverrides(std::move(hostOverrides));
  setLimits(limits);
}

bool TWebData::Execute() {
  if (Data.empty()) return false;
  const HttpFetcher fetcher(m_pump, Agent, m_routing, m_limits, m_backoff.get());
  bool lastFetched = false;
  // Indexed, with the URL copied: a handler run during a fetch may change the collection.
  for (std::size_t index = 0; index < Data.size(); ++index) {
    if (!Data[index].Enable) continue;
    const std::string url = Data[index].URL;
    auto body = fetcher.get(url);
    lastFetched = body.has_value();
    if (lastFetched) PageLines = splitPageLines(*body);
  }
  return lastFetched;
}

std::optional<std::string> TWebData::fetchPage(std::string_view url) const {
  return HttpFetcher(m_pump, Agent, m_routing, m_limits, m_backoff.get()).get(url);
}

void TWebData::setHostOverrides(std::vector<std::string> overrides) {
  for (const std::string& entry : overrides) checkHostOverride(entry);
  m_routing.resolve = std::move(overrides);
}

void TWebData::setConnectTo(std::vector<std::string> overrides) {
  for (const std::string& entry : overrides) checkConnectTo(entry);
  m_routing.connectTo = std::move(overrides);
}

void TWebData::setLimits(const FetchLimits& limits) {
  checkFetchLimits(limits);
  m_limits = limits;
}

}  // namespace quillon::webfetch
