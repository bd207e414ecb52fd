#include "capture/QueuedEmailSearches.h"

#include "structured/HtmlPageReader.h"
#include "structured/StructuredDataError.h"
#include "webfetch/EmailLookup.h"

#include <utility>

namespace quillon::capture {
namespace {

// A page that cannot be read shows nothing.
webfetch::PageContent readPage(std::string_view html, std::string_view url) {
  webfetch::PageContent content;
  try {
    structured::ShownPage shown = structured::readShownPage(html, url);
    for (structured::PageLink& link : shown.links) {
      content.links.push_back({std::move(link.href), std::move(link.text)});
    }
    content.text = std::move(shown.text);
  } catch (const structured::StructuredDataError&) {
    return {};
  }
  return content;
}

}  // namespace

QueuedEmailSearches::QueuedEmailSearches(MessagePump& pump, std::string agent,
                                         webfetch::HostRouting routing,
                                         webfetch::FetchLimits limits, int concurrency,
                                         std::shared_ptr<webfetch::HostBackoff> backoff)
    : m_queue(pump, std::move(agent), std::move(routing), limits,
              webfetch::FetchQueueOptions{concurrency, std::chrono::milliseconds(1000),
                                          std::move(backoff)}),
      m_websites(m_queue, readPage) {}

void QueuedEmailSearches::lookUp(std::string listingUrl,
                                 std::function<void(std::string email)> done) {
  webfetch::lookupEmailLater(m_queue, std::move(listingUrl), std::move(done));
}

void QueuedEmailSearches::searchWebsite(std::string webAddress,
                                        std::function<void(std::string email)> done) {
  m_websites.find(webAddress, std::move(done));
}

}  // namespace quillon::capture
