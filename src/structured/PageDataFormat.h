#pragma once

#include "structured/PageData.h"

#include <string>
#include <string_view>

// The JSON text that the in-page collect script returns for a page, one array per element
// (as compact as the document snapshot's format, since a result page has thousands):
//   {"url": "...", "jsonLd": ["...", ...],
//    "microdata": [[parent, "tag", itemscope, "itemtype", "itemprop", "itemref", "id",
//                   "value"], ...],
//    "links": [["tag", "rel", "href", "text", "ariaLabel", "title"], ...]}
// parent is an integer (-1 for none), itemscope true or false, everything else text, in the
// order of the fields of MicrodataElement and PageLink. Members of other names are ignored.

namespace quillon::structured {

// Reads the collect script's JSON text (UTF-8). Throws StructuredDataError, naming what is
// wrong, when it is not JSON or not that format (a parent must come before its element).
PageData decodePageData(std::string_view json);

// The JSON text of the page data in the format above (bytes that are not UTF-8 become U+FFFD).
std::string encodePageData(const PageData& page);

}  // namespace quillon::structured
