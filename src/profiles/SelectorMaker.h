#pragma once

#include "profiles/PageTree.h"
#include "profiles/SimpleSelector.h"

#include <vector>

// The selectors the teacher considers for an element, most readable first: tag and stable
// class names, then an ancestor's classes, then positions among siblings of the same tag
// (only where classes do not tell elements apart). Generated-looking class names and ids
// are never used.

namespace quillon::profiles {

// The element's tag with each stable class, with all of them, and alone.
std::vector<SelectorStep> elementSteps(const TreeElement& element);

// Selectors of an element relative to a container (one of its ancestors), each of which
// selects that element first within the container.
std::vector<SimpleSelector> relativeSelectors(const PageTree& tree, int container, int element);

// Selectors in the whole document that match the element (and, typically, its repeats).
std::vector<SimpleSelector> containerSelectors(const PageTree& tree, int element);

// Selectors in the whole document whose first match is the element.
std::vector<SimpleSelector> documentSelectors(const PageTree& tree, int element);

}  // namespace quillon::profiles
