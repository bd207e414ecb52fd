#pragma once

#include "fields/Kind.h"
#include "profiles/SimpleSelector.h"
#include "profiles/TreeKinds.h"

#include <functional>
#include <string>
#include <vector>

// Which repeating element of a page holds one listing: among the repeating ancestors of an
// element, the selector that matches the most elements that are listings, each holding a
// name-like value and a value of another kind. The teacher calls it with the name's element
// and the kinds of the user's other examples; card detection with a heading and no kinds.
//
//   TreeKinds kinds(tree);
//   auto ranked = rankContainers(kinds, heading, {}, {});  // by kinds alone
//   if (!ranked.empty()) use(ranked.front().selector, ranked.front().listings);

namespace quillon::profiles {

// Reads a listing's name in a container; empty when it shows none.
using NameReader = std::function<std::string(int container)>;

// What makes a container a listing.
struct ListingTest {
  // Where its name is read; empty: nameIn.
  NameReader name;
  // It holds a value of one of these kinds (texts and link addresses); empty: of any of
  // telephone, e-mail, web address, street and postal code. Locality and province count only
  // when nothing else is asked for: any few words are of their kind.
  fields::KindSet others;
};

// The name a container shows without a selector: the text of its first visible heading (h1
// to h6) or itemprop=name element that looks like a name, else that of its first link with a
// text (the card's main link) when it looks like one.
std::string nameIn(const TreeKinds& kinds, int container);
// The element that shows it; -1 when there is none.
int nameElementIn(const TreeKinds& kinds, int container);

// Whether the container is a listing: its name looks like a name, and it holds another kind.
bool isListing(const TreeKinds& kinds, int container, const ListingTest& test);

// What a container selector finds on the page.
struct ContainerScore {
  std::vector<int> containers;  // every element it matches, in document order
  std::vector<int> listings;    // those of them that are listings
  bool nested = false;          // one of them lies inside another
};
ContainerScore scoreContainers(const TreeKinds& kinds, const SimpleSelector& selector,
                               const ListingTest& test);

struct ContainerChoice {
  int ancestor = -1;  // the element the selector was written for
  SimpleSelector selector;
  std::vector<int> containers;
  std::vector<int> listings;
};

// The name's reader for containers found by a selector written for `ancestor`; an empty
// reader reads nameIn.
using NameReaderFor = std::function<NameReader(int ancestor, const std::vector<int>& containers)>;

// For each ancestor of `inner` that repeats on the page, its best selector (stable classes,
// data-* attribute names, itemtype, its parent's or grandparent's classes): the one with the
// most listings, then the fewest containers that are no listing. Selectors whose containers
// nest, or that find fewer than two listings, are left out. Best first: most listings, then
// fewest containers that are no listing, then most listings side by side under one parent
// (the cards rather than a box inside each card), then the nearest ancestor. With
// maxLevels, only that many ancestors are tried, the nearest first.
std::vector<ContainerChoice> rankContainers(const TreeKinds& kinds, int inner,
                                            fields::KindSet others, const NameReaderFor& nameFor,
                                            int maxLevels = -1);

// How many of the elements share the parent that most of them share: cards repeat side by
// side, while the inner boxes of cards each sit in a card of their own.
std::size_t siblingShare(const PageTree& tree, const std::vector<int>& elements);

// Whether a is better than b by the order above.
bool betterContainer(const TreeKinds& kinds, const ContainerChoice& a, const ContainerChoice& b);

}  // namespace quillon::profiles
