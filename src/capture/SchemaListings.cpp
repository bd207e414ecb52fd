#include "capture/SchemaListings.h"

#include "structured/HtmlPageReader.h"
#include "structured/StructuredDataError.h"

#include <utility>

namespace quillon::capture {

std::vector<structured::Listing> listingsOf(const structured::Extraction& extraction,
                                            const FetchPageFn& fetchPage, const WarnFn& warn) {
  if (!extraction.listings.empty() || !fetchPage) return extraction.listings;
  std::vector<structured::Listing> listings;
  for (const std::string& url : extraction.summaryUrls) {
    const std::optional<std::string> body = fetchPage(url);
    if (!body) continue;
    try {
      if (auto listing = structured::detailListing(structured::readHtmlPage(*body, url),
                                                   extraction.directory)) {
        listings.push_back(std::move(*listing));
      }
    } catch (const structured::StructuredDataError& error) {
      if (warn) warn("detail page " + url + " skipped: " + error.what());
    }
  }
  return listings;
}

}  // namespace quillon::capture
