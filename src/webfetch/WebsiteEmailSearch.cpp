#include "webfetch/WebsiteEmailSearch.h"

#include "text/Utf8.h"
#include "url/UrlParts.h"
#include "webfetch/ContactLinks.h"
#include "webfetch/PageEmail.h"
#include "webfetch/SiteAddress.h"

#include <utility>
#include <vector>

namespace quillon::webfetch {

// One search; the queue's callbacks keep it alive until it reports.
struct WebsiteEmailSearch::Search : std::enable_shared_from_this<Search> {
  FetchQueue* queue = nullptr;
  std::shared_ptr<const PageReader> reader;
  std::function<void(std::string)> done;
  std::string siteHost;
  std::vector<std::string> contactPages;
  std::size_t nextContactPage = 0;

  void fetch(std::string url, bool homePage) {
    queue->add(std::move(url), [self = shared_from_this(), homePage](FetchResult result) {
      self->read(std::move(result), homePage);
    });
  }

  void read(FetchResult result, bool homePage) {
    if (result.cancelled) return done({});
    // An error page (the fetch reads a 500 like a 200) names the server's webmaster at best:
    // it says nothing about the business, and a home page that failed leads to no contact
    // page either.
    if (result.body && result.status < 400) {
      const std::string html = text::utf8OrCp1252(*result.body);
      const PageContent content = (*reader)(html, result.finalUrl);
      if (std::string email = findPageEmail(html, content); !email.empty()) return done(email);
      if (homePage) contactPages = contactPageLinks(content.links, result.finalUrl, siteHost);
    }
    if (nextContactPage < contactPages.size()) return fetch(contactPages[nextContactPage++], false);
    done({});
  }
};

WebsiteEmailSearch::WebsiteEmailSearch(FetchQueue& queue, PageReader reader)
    : m_queue(queue), m_reader(std::make_shared<const PageReader>(std::move(reader))) {}

void WebsiteEmailSearch::find(std::string_view webAddress,
                              std::function<void(std::string email)> done) {
  auto search = std::make_shared<Search>();
  search->queue = &m_queue;
  search->reader = m_reader;
  search->done = std::move(done);
  std::string home = websiteHomeUrl(webAddress);
  search->siteHost = url::urlHost(home);
  // An address that cannot be fetched fails in the queue, so that done is never called
  // from here.
  search->fetch(std::move(home), true);
}

}  // namespace quillon::webfetch
