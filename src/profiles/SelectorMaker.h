#pragma once

#include "profiles/PageTree.h"
#include "profiles/SimpleSelector.h"

#include <vector>

// The selectors the teacher considers for an element, by what tells it best: the scheme of a
// link's address, its itemprop, a data-* attribute, its stable classes, an ancestor's classes,
// its tag, and positions among siblings of the same tag only as the last resort (never more
// than one :nth-of-type step). Generated-looking class names, attribute names and ids are
// never used.

namespace quillon::profiles {

// The element's tag with each stable class, with all of them, and alone.
std::vector<SelectorStep> elementSteps(const TreeElement& element);

// How well a kind of selector tells an element, best first.
enum class SelectorRank {
  SchemeLink,       // a[href^="tel:"], a[href^="mailto:"] and other link schemes
  ItemProp,         // [itemprop="telephone"]
  DataAttribute,    // [data-phone] or [data-field="phone"]
  OwnClasses,       // a.ButtonPhone
  AncestorClasses,  // div.contact > a
  Tag,              // a
  Position,         // span:nth-of-type(2), the last resort
};

struct RankedSelector {
  SimpleSelector selector;
  SelectorRank rank;
};

// Selectors of an element relative to a container (one of its ancestors), each of which
// selects that element first within the container, best rank first.
std::vector<RankedSelector> fieldSelectors(const PageTree& tree, int container, int element);

// The same selectors without their ranks.
std::vector<SimpleSelector> relativeSelectors(const PageTree& tree, int container, int element);

// Selectors in the whole document that match the element and, typically, its repeats: its
// stable classes, its data-* attribute names, its itemtype, its parent's or grandparent's
// classes over its tag, and its tag alone.
std::vector<SimpleSelector> containerSelectors(const PageTree& tree, int element);

// Selectors in the whole document whose first match is the element.
std::vector<SimpleSelector> documentSelectors(const PageTree& tree, int element);

}  // namespace quillon::profiles
