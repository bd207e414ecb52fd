#include "capture/AutoMode.h"

#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "capture/ListingRows.h"
#include "structured/Extraction.h"
#include "structured/HtmlPageReader.h"
#include "structured/NextPage.h"
#include "structured/PageDataFormat.h"
#include "structured/StructuredDataError.h"
#include "text/Utf8.h"

#include <utility>
#include <vector>

namespace quillon::capture {
namespace {

// The listings of a summary page: each entry's detail page, fetched and read in the list's
// order; an entry whose page cannot be fetched or holds no listing gives none.
std::vector<structured::Listing> detailListings(RunContext& context,
                                                const std::vector<std::string>& urls) {
  std::vector<structured::Listing> listings;
  if (!context.fetchPage) return listings;
  for (const std::string& url : urls) {
    const std::optional<std::string> body = context.fetchPage(url);
    if (!body) continue;
    try {
      if (auto listing = structured::detailListing(structured::readHtmlPage(*body, url))) {
        listings.push_back(std::move(*listing));
      }
    } catch (const structured::StructuredDataError& error) {
      context.warn("detail page " + url + " skipped: " + error.what());
    }
  }
  return listings;
}

}  // namespace

results::CaptionSet AutoMode::captions() const { return results::CaptionSet::English; }

std::string_view AutoMode::countSuffix() const { return " lines captured"; }

PageReading AutoMode::readPage(RunContext& context) {
  try {
    m_page = structured::decodePageData(context.browser.pageData());
  } catch (const structured::StructuredDataError& error) {
    throw CaptureError(std::string("The page's data could not be read: ") + error.what());
  }
  structured::Extraction extraction = structured::extractListings(m_page);
  for (const std::string& warning : extraction.warnings) {
    if (m_warned.insert(warning).second) context.warn(warning);
  }
  PageReading reading;
  reading.signature = structured::pageSignature(extraction);
  reading.addRows = [&context, extraction = std::move(extraction)] {
    const std::vector<structured::Listing> listings =
        extraction.listings.empty() ? detailListings(context, extraction.summaryUrls)
                                    : extraction.listings;
    return addListingRows(listings, context.table);
  };
  return reading;
}

PageTurn AutoMode::turnPage(RunContext& context) {
  PageTurn turn;
  if (const auto next = structured::findNextPage(m_page, context.readAddresses)) {
    turn.followed = true;
    turn.address = *next;
    context.browser.Navigate(text::utf8ToUtf16(*next));
    return turn;
  }
  // A next link that leads back to a page of this run ends it as surely as none.
  turn.endReason = structured::findNextPage(m_page, {}) ? "next page already read" : "no next page";
  return turn;
}

}  // namespace quillon::capture
