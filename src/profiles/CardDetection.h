#pragma once

#include "profiles/PageTree.h"
#include "profiles/Teacher.h"
#include "profiles/TreeKinds.h"

// Finds the listing cards of a result page and their columns without any example, and writes
// them as a site profile, so that everything that runs a profile runs a detection.
//
//   const TeachResult found = detectProfile(tree);
//   if (found.ok) saveProfileFile(found.profile, path);  // found.listingCount cards
//
// The cards are the repeating elements of one look (shared stable classes, data-* attribute
// names, itemtype, or the classes of what holds them) that each hold a name-like value (a
// heading or the card's main link) and a value of another kind (a telephone, an address with
// a postal code, an e-mail, a website): of every such look, the one that gives the most cards
// (ContainerChoice). Advertisements, navigation, tips and "related searches" are no cards
// (NonListings); when they share the cards' look, a class of theirs alone leaves them out of
// the profile's listing selector. Each column's element is then chosen by kind over all the
// cards (CardColumns). A button in the cards that shows the telephone ("Show phone", "Ver
// teléfono") becomes the profile's reveal selector, and a "load more" button under them its
// loadMore; the next page follows the auto mode's rules.

namespace quillon::profiles {

// What detection makes of the page: when ok, the profile (named and hosted by the caller), the
// number of cards, how many of them each column fills, and what the profile reads from them;
// else the problem "no listings found on this page". Bounded on any tree: a page of 20,000
// elements, markup nested thousands deep or cards with hundreds of links give an answer in
// tens of milliseconds.
TeachResult detectProfile(const TreeKinds& kinds);
TeachResult detectProfile(const PageTree& tree);

// The problem detectProfile gives for a page without cards.
inline constexpr const char* kNoListingsFound = "no listings found on this page";

}  // namespace quillon::profiles
