#include "webfetch/EmailLookup.h"

#include "parsers/Finders.h"
#include "webfetch/PageLines.h"

#include <utility>

namespace quillon::webfetch {

std::string fetchEmailfromHTTP(TWebData& webData, std::string_view url) {
  std::string email;
  if (webData.Data.empty()) webData.Data.emplace_back();
  webData.Data.front().URL = url;
  // PageLines keep the last page that was fetched; after a failure they belong to another
  // listing, whose address must not be returned for this one.
  if (!webData.Execute()) return email;
  email = parsers::FindEmail(joinPageLines(webData.PageLines));
  return email;
}

void lookupEmailLater(FetchQueue& queue, std::string url,
                      std::function<void(std::string email)> done) {
  queue.add(
      std::move(url),
      [done = std::move(done)](FetchResult result) {
        // Lines joined as the sequential lookup joins them, so both find the same address.
        done(result.body ? parsers::FindEmail(joinPageLines(splitPageLines(*result.body)))
                         : std::string());
      },
      FetchQueue::Pacing::Unpaced);
}

}  // namespace quillon::webfetch
