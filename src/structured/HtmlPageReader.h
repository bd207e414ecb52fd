#pragma once

#include "structured/PageData.h"
#include "webfetch/PageContent.h"

#include <cstdint>
#include <string_view>

namespace quillon::structured {

// Markup whose nestingWork exceeds this is refused: parsing it would take seconds.
inline constexpr std::uint64_t kMaxNestingWork = 50'000'000;

// The page data of a fetched HTML page, gathered as the in-page collect script gathers it in
// a browser, from the document that an HTML5 parser (gumbo) builds. Bytes that are not UTF-8
// are read as Windows-1252. Addresses resolve against the first <base href> and pageUrl.
// An a's visible text is its text without script, style, noscript and template contents and
// hidden elements, with a blank for line breaks and blocks (the browser lays the page out;
// a parser can only come close). Throws StructuredDataError for markup nested too deeply.
PageData readHtmlPage(std::string_view html, std::string_view pageUrl);

// What the page shows, for the e-mail search on a business's website: its links (an a with
// an address, and its visible text) and its visible text, as readHtmlPage reads them.
webfetch::PageContent readPageContent(std::string_view html, std::string_view pageUrl);

}  // namespace quillon::structured
