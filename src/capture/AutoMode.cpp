#include "capture/AutoMode.h"

#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "capture/DetectedCards.h"
#include "capture/ListingRows.h"
#include "capture/ListingUnion.h"
#include "capture/PageSigns.h"
#include "capture/SchemaListings.h"
#include "profiles/ProfileListings.h"
#include "structured/Extraction.h"
#include "structured/NextPage.h"
#include "structured/PageDataFormat.h"
#include "structured/StructuredDataError.h"
#include "text/Utf8.h"

#include <utility>

namespace quillon::capture {

results::CaptionSet AutoMode::captions() const { return results::CaptionSet::English; }

std::string_view AutoMode::countSuffix() const { return " lines captured"; }

PageReading AutoMode::readPage(RunContext& context) {
  std::string pageData = context.browser.PageData();
  try {
    m_page = structured::decodePageData(pageData);
  } catch (const structured::StructuredDataError& error) {
    throw CaptureError(std::string("The page's data could not be read: ") + error.what());
  }
  DetectedCards detected = detectCards(context.browser, context.pump, context.warn, context.page);
  // After the cards' clicks the page holds what they brought.
  if (detected.detection.ok) m_page = std::move(detected.page);
  structured::Extraction extraction = structured::extractListings(m_page);
  for (const std::string& warning : extraction.warnings) {
    if (m_warned.insert(warning).second) context.warn(warning);
  }
  PageReading reading;
  reading.signs = [pageData = std::move(pageData)] { return pageDataSigns(pageData); };
  if (detected.cards.empty()) {
    if (extraction.listings.empty() && extraction.summaryUrls.empty()) {
      reading.endReason = "page " + std::to_string(context.page) + " has no listings";
      return reading;
    }
    reading.signature = structured::pageSignature(extraction);
    reading.addRows = [&context, extraction = std::move(extraction)] {
      return addListingRows(listingsOf(extraction, context.fetchPage, context.warn), context.table,
                            context.rowAdded);
    };
    return reading;
  }
  reading.signature =
      profiles::listingsSignature(unionByBusiness(extraction.listings, detected.cards));
  reading.addRows = [&context, extraction = std::move(extraction),
                     cards = std::move(detected.cards)] {
    const auto listings = listingsOf(extraction, context.fetchPage, context.warn);
    return addListingRows(unionByBusiness(listings, cards), context.table, context.rowAdded);
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
