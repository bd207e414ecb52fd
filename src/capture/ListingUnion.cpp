#include "capture/ListingUnion.h"

#include "text/Ascii.h"
#include "text/TextRules.h"

#include <algorithm>
#include <map>
#include <string>

namespace quillon::capture {
namespace {

using structured::Column;
using structured::Listing;

// Enough of a number to tell two telephones apart whatever prefix each writes.
constexpr std::size_t kTelephoneDigits = 9;

std::string nameKey(const Listing& listing) {
  return text::foldCase(text::collapseWhiteSpace(listing[Column::Name]));
}

std::string telephoneKey(const Listing& listing) {
  std::string digits;
  for (const char c : listing[Column::Telephone]) {
    if (text::isAsciiDigit(c)) digits += c;
  }
  return digits.size() > kTelephoneDigits ? digits.substr(digits.size() - kTelephoneDigits)
                                          : digits;
}

// The street's first word: its house number ("240" of "240 r Fbg St Antoine") or, where the
// number comes last, its street word.
std::string streetKey(const Listing& listing) {
  const std::string street = text::foldCase(text::collapseWhiteSpace(listing[Column::Street]));
  return street.substr(0, street.find(' '));
}

// Whether the two values, both given, differ; nothing to compare when either is empty.
enum class Verdict { Same, Different, Unknown };
Verdict compare(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return Verdict::Unknown;
  return a == b ? Verdict::Same : Verdict::Different;
}

Verdict sameBusiness(const Listing& listing, const Listing& card) {
  for (const Verdict verdict : {compare(telephoneKey(listing), telephoneKey(card)),
                                compare(text::collapseWhiteSpace(listing[Column::PostalCode]),
                                        text::collapseWhiteSpace(card[Column::PostalCode])),
                                compare(streetKey(listing), streetKey(card))}) {
    if (verdict != Verdict::Unknown) return verdict;
  }
  return Verdict::Unknown;
}

}  // namespace

std::vector<Listing> unionByBusiness(const std::vector<Listing>& listings,
                                     const std::vector<Listing>& cards) {
  std::multimap<std::string, std::size_t> cardsByName;
  std::map<std::string, std::size_t> listingsPerName;
  for (std::size_t i = 0; i < cards.size(); ++i) cardsByName.emplace(nameKey(cards[i]), i);
  for (const Listing& listing : listings) ++listingsPerName[nameKey(listing)];
  std::vector<bool> used(cards.size(), false);
  std::vector<Listing> out;
  out.reserve(listings.size() + cards.size());
  for (const Listing& listing : listings) {
    Listing merged = listing;
    const std::string name = nameKey(listing);
    const auto [first, last] = cardsByName.equal_range(name);
    const bool alone = listingsPerName[name] == 1 && std::distance(first, last) == 1;
    for (auto it = first; !name.empty() && it != last; ++it) {
      if (used[it->second]) continue;
      const Verdict verdict = sameBusiness(listing, cards[it->second]);
      if (verdict == Verdict::Different || (verdict == Verdict::Unknown && !alone)) continue;
      used[it->second] = true;
      for (std::size_t c = 0; c < structured::kColumnCount; ++c) {
        if (merged.columns[c].empty()) merged.columns[c] = cards[it->second].columns[c];
      }
      break;
    }
    out.push_back(std::move(merged));
  }
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (!used[i]) out.push_back(cards[i]);
  }
  return out;
}

}  // namespace quillon::capture
