#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::profiles {

// What is wrong with a CSS selector list as querySelectorAll would read it (type, universal,
// id, class and attribute selectors, the structural and logical pseudo-classes, the four
// combinators), or nothing when it reads. A relative list (a field's selector) may begin each
// selector with a combinator ("> span"). Pseudo-elements, namespaces and unknown
// pseudo-classes are refused: in a browser they select nothing or throw.
std::optional<std::string> cssSelectorProblem(std::string_view selector, bool relative = false);

// The selectors of a list that reads (split at the commas outside brackets and strings),
// each trimmed.
std::vector<std::string> selectorListItems(std::string_view selector);

// A relative selector list as the page runs it on an element: every selector of the list
// confined to the element's descendants (":scope span, :scope > b").
std::string scopedSelector(std::string_view selector);

}  // namespace quillon::profiles
