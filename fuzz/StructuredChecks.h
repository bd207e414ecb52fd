#pragma once

#include "FuzzSupport.h"
#include "fields/DirectoryHosts.h"
#include "structured/Extraction.h"
#include "structured/NextPage.h"
#include "structured/PageData.h"
#include "structured/PageDataFormat.h"
#include "text/Ascii.h"

#include <algorithm>
#include <set>

// Properties that every page's reading keeps, whatever the page holds.

namespace quillon::fuzz {

inline bool isCleanColumn(const std::string& value) {
  if (value.empty()) return true;
  if (value.front() == ' ' || value.back() == ' ') return false;
  if (value.find("  ") != std::string::npos) return false;
  return std::none_of(value.begin(), value.end(),
                      [](char c) { return c == '\n' || c == '\t' || c == '\r'; });
}

inline void checkExtraction(const structured::PageData& page) {
  const structured::Extraction e = structured::extractListings(page);
  for (const structured::Listing& listing : e.listings) {
    FUZZ_CHECK(!listing[structured::Column::Name].empty());
    for (const std::string& column : listing.columns) FUZZ_CHECK(isCleanColumn(column));
    // Never a page of the directory as a website, never a link's scheme in a number.
    FUZZ_CHECK(listing.url().empty() || fields::isBusinessWebsite(listing.url(), e.directory));
    for (const structured::Column c : {structured::Column::Telephone, structured::Column::Fax}) {
      FUZZ_CHECK(!text::startsWithNoCase(listing[c], "tel:"));
    }
  }
  FUZZ_CHECK(e.summaryUrls.empty() || e.listings.empty());
  FUZZ_CHECK(e.warnings.size() <= page.jsonLd.size() + 1);
  const std::set<std::string> unique(e.summaryUrls.begin(), e.summaryUrls.end());
  FUZZ_CHECK(unique.size() == e.summaryUrls.size());
  const std::string signature = structured::pageSignature(e);
  FUZZ_CHECK(signature.size() == (e.listings.empty() && e.summaryUrls.empty() ? 0u : 32u));
  FUZZ_CHECK(structured::extractListings(page).listings == e.listings);
}

inline void checkNextPage(const structured::PageData& page) {
  const std::optional<std::string> next = structured::findNextPage(page, {});
  if (!next) return;
  FUZZ_CHECK(std::any_of(page.links.begin(), page.links.end(),
                         [&](const structured::PageLink& l) { return l.href == *next; }));
  // once read, the same address is never offered again
  const std::optional<std::string> again = structured::findNextPage(page, {*next});
  FUZZ_CHECK(!again || *again != *next);
}

}  // namespace quillon::fuzz
