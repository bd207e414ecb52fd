#include "profiles/ContainerChoice.h"

#include "profiles/SelectorMaker.h"

#include <algorithm>
#include <map>
#include <set>

namespace quillon::profiles {
namespace {

using fields::Kind;

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

bool isHeading(const TreeElement& element) {
  return element.tag.size() == 2 && element.tag[0] == 'h' && element.tag[1] >= '1' &&
         element.tag[1] <= '6';
}

bool namesItself(const TreeElement& element) {
  const std::string* itemprop = element.attribute("itemprop");
  return isHeading(element) || (itemprop != nullptr && *itemprop == "name");
}

bool anyNested(const PageTree& tree, const std::vector<int>& elements) {
  const std::set<int> all(elements.begin(), elements.end());
  for (const int each : elements) {
    for (int up = at(tree, each).parent; up >= 0; up = at(tree, up).parent) {
      if (all.count(up) != 0) return true;
    }
  }
  return false;
}

// A locality or province is any few words ("Advertise with us" is one): it tells a listing
// only where nothing else was asked for.
constexpr Kind kTelling[] = {Kind::Telephone, Kind::Email, Kind::Web, Kind::Street,
                             Kind::PostalCode};

bool holdsAny(fields::KindSet inside, fields::KindSet wanted) {
  fields::KindSet telling;
  for (const Kind kind : kTelling) {
    if (wanted.empty() || wanted.has(kind)) telling.add(kind);
  }
  if (telling.empty()) telling = wanted;
  for (std::size_t k = 0; k < fields::kKindCount; ++k) {
    const auto kind = static_cast<Kind>(k);
    if (telling.has(kind) && inside.has(kind)) return true;
  }
  return false;
}

std::vector<int> listingsAmong(const TreeKinds& kinds, const std::vector<int>& containers,
                               const ListingTest& test) {
  std::vector<int> listings;
  for (const int container : containers) {
    if (isListing(kinds, container, test)) listings.push_back(container);
  }
  return listings;
}

}  // namespace

int nameElementIn(const TreeKinds& kinds, int container) {
  const PageTree& tree = kinds.tree();
  const int depth = at(tree, container).depth;
  int link = -1;
  bool firstLink = true;
  for (int i = container + 1; i < static_cast<int>(tree.elements.size()); ++i) {
    const TreeElement& element = at(tree, i);
    if (element.depth <= depth) break;
    if (element.hidden || element.text.empty()) continue;
    const bool named = kinds.ofText(i).has(Kind::Name);
    if (named && namesItself(element)) return i;
    // The card's main link comes first; a later one is a button's ("Get a quote").
    if (element.tag == "a" && firstLink) {
      firstLink = false;
      if (named) link = i;
    }
  }
  return link;
}

std::string nameIn(const TreeKinds& kinds, int container) {
  const int element = nameElementIn(kinds, container);
  return element < 0 ? std::string() : at(kinds.tree(), element).text;
}

bool isListing(const TreeKinds& kinds, int container, const ListingTest& test) {
  const std::string name = test.name ? test.name(container) : nameIn(kinds, container);
  if (name.empty() || !kinds.isOfKind(name, Kind::Name)) return false;
  return holdsAny(kinds.inside(container), test.others);
}

ContainerScore scoreContainers(const TreeKinds& kinds, const SimpleSelector& selector,
                               const ListingTest& test) {
  ContainerScore score;
  score.containers = selectAll(kinds.tree(), selector);
  score.nested = anyNested(kinds.tree(), score.containers);
  if (!score.nested) score.listings = listingsAmong(kinds, score.containers, test);
  return score;
}

std::size_t siblingShare(const PageTree& tree, const std::vector<int>& elements) {
  std::map<int, std::size_t> byParent;
  std::size_t most = 0;
  for (const int each : elements) most = std::max(most, ++byParent[at(tree, each).parent]);
  return most;
}

bool betterContainer(const TreeKinds& kinds, const ContainerChoice& a, const ContainerChoice& b) {
  if (a.listings.size() != b.listings.size()) return a.listings.size() > b.listings.size();
  const std::size_t aOthers = a.containers.size() - a.listings.size();
  const std::size_t bOthers = b.containers.size() - b.listings.size();
  if (aOthers != bOthers) return aOthers < bOthers;
  const std::size_t aSiblings = siblingShare(kinds.tree(), a.listings);
  const std::size_t bSiblings = siblingShare(kinds.tree(), b.listings);
  if (aSiblings != bSiblings) return aSiblings > bSiblings;
  return at(kinds.tree(), a.ancestor).depth > at(kinds.tree(), b.ancestor).depth;
}

std::vector<ContainerChoice> rankContainers(const TreeKinds& kinds, int inner,
                                            fields::KindSet others, const NameReaderFor& nameFor,
                                            int maxLevels) {
  const PageTree& tree = kinds.tree();
  std::vector<ContainerChoice> ranked;
  int level = 0;
  for (int up = at(tree, inner).parent; up >= 0 && level != maxLevels;
       up = at(tree, up).parent, ++level) {
    std::optional<ContainerChoice> best;
    for (SimpleSelector& selector : containerSelectors(tree, up)) {
      ListingTest test{{}, others};
      std::vector<int> found = selectAll(tree, selector);
      if (found.size() < 2 || anyNested(tree, found)) continue;
      if (nameFor) test.name = nameFor(up, found);
      std::vector<int> listings = listingsAmong(kinds, found, test);
      if (listings.size() < 2) continue;
      ContainerChoice choice{up, std::move(selector), std::move(found), std::move(listings)};
      if (!best || betterContainer(kinds, choice, *best)) best = std::move(choice);
    }
    if (best) ranked.push_back(std::move(*best));
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [&kinds](const ContainerChoice& a, const ContainerChoice& b) {
                     return betterContainer(kinds, a, b);
                   });
  return ranked;
}

}  // namespace quillon::profiles
