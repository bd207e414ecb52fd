#pragma once

#include "fields/DirectoryHosts.h"
#include "structured/Listing.h"
#include "structured/PageData.h"

#include <optional>
#include <string>
#include <vector>

namespace quillon::structured {

// What the schema.org reader makes of one page.
struct Extraction {
  // The page's listings: those of its JSON-LD blocks in block order, then those of its
  // microdata in document order (the collected data does not say how the two interleave).
  std::vector<Listing> listings;
  // Only when the page has no listing: the absolute http(s) addresses of its ItemList entries
  // that carry no telephone or address (a summary page's detail pages), in list order, each
  // once, without fragment; the page's own address is left out.
  std::vector<std::string> summaryUrls;
  // One line for each JSON-LD block skipped and for microdata read only in part.
  std::vector<std::string> warnings;
  // The directory's own hosts (directoryHosts, and those of the page's WebSite items and
  // their publishers): an address on them is never a business's website.
  fields::DirectoryHosts directory;
};

// Reads the page's JSON-LD blocks and microdata. Never throws for what the page holds: a
// block that does not parse, nests too deeply or is too large is skipped and named in the
// warnings.
Extraction extractListings(const PageData& page);

// The listing a detail page gives for a summary entry: its first listing, whose web address
// is on none of the directory's hosts (those of the summary page and of the detail page):
// the detail page is the directory's own. Nothing when the page has no listing.
std::optional<Listing> detailListing(const PageData& detailPage,
                                     const fields::DirectoryHosts& directory);

// A signature of what the page holds, equal for two pages with the same set of listings (or,
// for summary pages, the same set of entry addresses) in any order: a 32-digit hex text.
// Empty for a page that holds neither.
std::string pageSignature(const Extraction& extraction);

}  // namespace quillon::structured
