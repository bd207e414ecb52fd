#pragma once

#include "webfetch/FetchQueue.h"
#include "webfetch/PageContent.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quillon::webfetch {

// Finds an e-mail address on a business's own website: its home page first (see
// findPageEmail for where on a page), then, when that has none, at most two of its contact
// or about pages (see contactPageLinks), one after the other. A page that answers with an
// error status (400 or above) gives no address, and a home page that does leads to no
// contact page. Every request goes through the queue with its host gap, so the searches
// share the queue's transfers with the directory's lookups and no site gets two requests
// within the gap.
class WebsiteEmailSearch {
 public:
  // The queue must outlive every search started; reader reads each page fetched.
  WebsiteEmailSearch(FetchQueue& queue, PageReader reader);

  // Looks for an e-mail on the website at webAddress (a listing's web address, UTF-8, with
  // or without scheme). done hears the address (ASCII) or empty text, exactly once,
  // from the queue's calls: empty for an address that cannot be fetched, for a site whose
  // pages fail, hold none, or are cancelled.
  void find(std::string_view webAddress, std::function<void(std::string email)> done);

 private:
  struct Search;
  FetchQueue& m_queue;
  std::shared_ptr<const PageReader> m_reader;
};

}  // namespace quillon::webfetch
