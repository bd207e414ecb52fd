#pragma once

#include "profiles/PageTree.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::profiles {

// [name="value"], [name^="value"] for a prefix, or [name] for any value.
struct AttributeTest {
  std::string name;
  std::string value;
  bool prefix = false;
  bool exists = false;  // any value; `value` and `prefix` are not used

  bool operator==(const AttributeTest&) const = default;
};

// One compound of the selectors the teacher writes: a tag, classes, attribute values, classes
// it must not have and a position among the siblings of its tag.
struct SelectorStep {
  enum class Combinator { Descendant, Child };
  Combinator combinator = Combinator::Descendant;  // how it joins the step before
  std::string tag;                                 // empty: any
  std::vector<std::string> classes;
  std::vector<AttributeTest> attributes;
  int nthOfType = 0;  // 0: any position
  bool lastOfType = false;
  std::vector<std::string> notClasses;  // :not(.name): elements without the class

  bool operator==(const SelectorStep&) const = default;
};

// A selector of the subset the teacher writes and matches itself: steps joined by descendant
// or child combinators. User-written profiles are matched by the browser instead.
struct SimpleSelector {
  std::vector<SelectorStep> steps;
  // Relative to a container: the first step is a child of it when the first combinator is
  // Child, else any descendant.
  bool operator==(const SimpleSelector&) const = default;

  // The CSS text; a relative selector whose first step is a child begins with "> ".
  std::string css() const;
};

// Reads the CSS text of a selector of the subset (as css() writes it); nothing for any
// other selector.
std::optional<SimpleSelector> parseSimpleSelector(std::string_view css);

// The elements the selector matches in document order: below scope (its strict descendants,
// every step inside it), or in the whole tree when scope is -1.
std::vector<int> selectAll(const PageTree& tree, const SimpleSelector& selector, int scope = -1);

// The first of them, or -1.
int selectFirst(const PageTree& tree, const SimpleSelector& selector, int scope = -1);

// Whether the element matches the selector's steps with every ancestor step below scope.
bool matches(const PageTree& tree, const SimpleSelector& selector, int element, int scope = -1);

// The CSS text of an identifier or an attribute value.
std::string cssIdentifier(std::string_view name);
std::string cssString(std::string_view value);

}  // namespace quillon::profiles
