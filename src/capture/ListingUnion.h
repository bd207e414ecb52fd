#pragma once

#include "structured/Listing.h"

#include <vector>

namespace quillon::capture {

// The listings of a page that both publishes schema.org data and shows cards, one per
// business: the structured listings in their order, each with its empty columns filled from
// the card of the same business, then the cards that none of them matched. A listing and a
// card are the same business when their names are equal (case and white space aside) and
// nothing they both give tells them apart: their telephones end in the same nine digits, or,
// without two telephones, their postal codes are equal, or, without those either, their
// streets begin with the same house number or word; a name alone matches only where it is
// the one listing and the one card of that name (a chain's branches stay apart).
std::vector<structured::Listing> unionByBusiness(const std::vector<structured::Listing>& listings,
                                                 const std::vector<structured::Listing>& cards);

}  // namespace quillon::capture
