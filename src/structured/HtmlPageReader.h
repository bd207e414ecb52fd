#pragma once

#include "structured/PageData.h"

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

// What a page shows, for the e-mail search on a business's website: its a elements with an
// address, in document order, and its visible text (runs of ASCII white space as one blank).
struct ShownPage {
  std::vector<PageLink> links;
  std::string text;
};

// The links and the visible text of the page, as readHtmlPage reads them.
ShownPage readShownPage(std::string_view html, std::string_view pageUrl);

}  // namespace quillon::structured
