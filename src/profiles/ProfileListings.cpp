#include "profiles/ProfileListings.h"

#include "structured/Extraction.h"
#include "structured/NextPage.h"
#include "structured/PageContext.h"
#include "text/TextRules.h"

#include <map>

namespace quillon::profiles {
namespace {

bool usesStructuredData(const Profile& profile) {
  for (const auto& rule : profile.fields) {
    if (rule && rule->fromStructuredData) return true;
  }
  return false;
}

std::string nameKey(std::string_view name) {
  return text::foldCase(text::collapseWhiteSpace(name));
}

void fillFromStructuredData(const Profile& profile, const ProfilePage& page,
                            std::vector<structured::Listing>& listings) {
  const std::vector<structured::Listing> items = structured::extractListings(page.page).listings;
  const bool byName = profile[Column::Name] && !profile[Column::Name]->fromStructuredData;
  std::multimap<std::string, const structured::Listing*> named;
  for (const structured::Listing& item : items) named.emplace(nameKey(item[Column::Name]), &item);
  for (std::size_t at = 0; at < listings.size(); ++at) {
    const structured::Listing* item = nullptr;
    if (byName) {
      const auto found = named.find(nameKey(listings[at][Column::Name]));
      if (found != named.end() && !found->first.empty()) item = found->second;
    } else if (items.size() == listings.size()) {
      item = &items[at];
    }
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      const auto& rule = profile.fields[i];
      if (rule && rule->fromStructuredData) listings[at].columns[i] = item ? item->columns[i] : "";
    }
  }
}

}  // namespace

std::vector<structured::Listing> profileListings(const Profile& profile, FieldValues& values,
                                                 const ProfilePage& page) {
  values.setPage(structured::pageContextOf(page.page));
  std::vector<structured::Listing> listings;
  listings.reserve(page.listings.size());
  for (const RawListing& raw : page.listings) {
    structured::Listing listing;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      if (raw[i]) listing.columns[i] = values.value(columnAt(i), *raw[i]);
    }
    listings.push_back(std::move(listing));
  }
  if (usesStructuredData(profile)) fillFromStructuredData(profile, page, listings);
  // A container without a name is no listing (a sponsored box, a tips box of the same look).
  std::erase_if(listings, [](const structured::Listing& l) { return l[Column::Name].empty(); });
  return listings;
}

std::optional<std::string> profileNextPage(const Profile& profile, const ProfilePage& page,
                                           const std::set<std::string>& readAddresses) {
  if (profile.next.empty()) return structured::findNextPage(page.page, readAddresses);
  if (!page.nextFound) return std::nullopt;
  // The element the profile names counts as a rel=next link; the same addresses are passed over.
  structured::PageData link;
  link.url = page.page.url;
  link.links.push_back({"a", "next", page.nextHref, page.nextText, "", ""});
  return structured::findNextPage(link, readAddresses);
}

std::string listingsSignature(const std::vector<structured::Listing>& listings) {
  structured::Extraction extraction;
  extraction.listings = listings;
  return structured::pageSignature(extraction);
}

}  // namespace quillon::profiles
