#pragma once

#include "capture/EmailSearches.h"
#include "webfetch/FetchQueue.h"
#include "webfetch/WebsiteEmailSearch.h"

namespace quillon::capture {

// The e-mail searches over one fetch queue: at most a given number of fetches at once,
// shared by the listing-page lookups and the website searches; a gap of a second between
// two requests to the same website (the directory's own host is not paced: its lookups
// would otherwise take a second each).
class QueuedEmailSearches final : public EmailSearches {
 public:
  // Throws WebFetchError for bad routing, limits or concurrency. backoff: the hosts'
  // refusals as the owner's other fetches know them (none: the searches keep their own).
  QueuedEmailSearches(MessagePump& pump, std::string agent, webfetch::HostRouting routing,
                      webfetch::FetchLimits limits, int concurrency,
                      std::shared_ptr<webfetch::HostBackoff> backoff = nullptr);

  void lookUp(std::string listingUrl, std::function<void(std::string email)> done) override;
  void searchWebsite(std::string webAddress, std::function<void(std::string email)> done) override;
  void drive() override { m_queue.drive(); }
  void wait() override { m_queue.wait(); }
  void cancelAll() override { m_queue.cancelAll(); }

 private:
  webfetch::FetchQueue m_queue;
  webfetch::WebsiteEmailSearch m_websites;
};

}  // namespace quillon::capture
