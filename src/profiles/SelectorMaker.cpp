#include "profiles/SelectorMaker.h"

#include "profiles/ClassNames.h"
#include "text/Ascii.h"

#include <algorithm>

namespace quillon::profiles {
namespace {

using Combinator = SelectorStep::Combinator;

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

std::vector<std::string> stableClasses(const TreeElement& element) {
  std::vector<std::string> classes;
  for (const std::string& name : element.classes) {
    if (!looksGenerated(name) && std::find(classes.begin(), classes.end(), name) == classes.end()) {
      classes.push_back(name);
    }
  }
  return classes;
}

// The steps of an element that name it by class (or a stable id), without the bare tag.
std::vector<SelectorStep> classedSteps(const TreeElement& element) {
  std::vector<SelectorStep> steps = elementSteps(element);
  steps.pop_back();
  if (!element.id.empty() && !looksGeneratedId(element.id)) {
    SelectorStep byId;
    byId.tag = element.tag;
    byId.attributes.push_back({"id", element.id, false});
    steps.push_back(byId);
  }
  return steps;
}

// The element's position among its parent's children of its tag (1 on), and whether it has
// such siblings at all.
int positionOfType(const PageTree& tree, int index, bool& hasSiblings) {
  const TreeElement& element = at(tree, index);
  hasSiblings = false;
  if (element.parent < 0) return 1;
  int position = 0;
  int count = 0;
  for (const int sibling : at(tree, element.parent).children) {
    if (at(tree, sibling).tag != element.tag) continue;
    ++count;
    if (sibling == index) position = count;
  }
  hasSiblings = count > 1;
  return position;
}

SelectorStep withPosition(SelectorStep step, const PageTree& tree, int index) {
  bool siblings = false;
  const int position = positionOfType(tree, index, siblings);
  if (siblings) step.nthOfType = position;
  return step;
}

SimpleSelector join(std::vector<SelectorStep> steps) { return SimpleSelector{std::move(steps)}; }

void addIfFirst(std::vector<SimpleSelector>& out, const PageTree& tree, int scope, int element,
                SimpleSelector selector) {
  if (std::find(out.begin(), out.end(), selector) != out.end()) return;
  if (selectFirst(tree, selector, scope) == element) out.push_back(std::move(selector));
}

// The steps of a link that tell it by its address's scheme.
std::vector<SelectorStep> schemeSteps(const TreeElement& element) {
  std::vector<SelectorStep> steps;
  const std::string* href = element.attribute("href");
  if (element.tag != "a" || href == nullptr) return steps;
  const std::string lower = text::asciiLower(href->substr(0, 8));
  for (const char* scheme : {"tel:", "mailto:", "callto:", "fax:", "sms:"}) {
    if (lower.starts_with(scheme)) {
      SelectorStep step;
      step.tag = element.tag;  // "a"
      step.attributes.push_back({"href", scheme, true});
      steps.push_back(step);
    }
  }
  return steps;
}

SelectorStep attributeStep(const TreeElement& element, std::string name, std::string value,
                           bool exists) {
  SelectorStep step;
  step.tag = element.tag;
  step.attributes.push_back({std::move(name), std::move(value), false, exists});
  return step;
}

std::vector<SelectorStep> itempropSteps(const TreeElement& element) {
  std::vector<SelectorStep> steps;
  const std::string* itemprop = element.attribute("itemprop");
  if (itemprop != nullptr && !itemprop->empty() && itemprop->size() <= 40) {
    steps.push_back(attributeStep(element, "itemprop", *itemprop, false));
  }
  return steps;
}

// A data-* value that names what the element is ("phone"), not a value that changes from one
// listing to the next ("0420909405", an id).
bool isStableValue(const std::string& value, const TreeElement& element) {
  if (value.empty() || value.size() > 40 || value == element.text) return false;
  return std::none_of(value.begin(), value.end(),
                      [](char c) { return text::isAsciiDigit(c) || c == '{' || c == '"'; });
}

std::vector<SelectorStep> dataSteps(const TreeElement& element) {
  std::vector<SelectorStep> steps;
  for (const auto& [name, value] : element.attributes) {
    if (!name.starts_with("data-") || name.size() > 40 || looksGenerated(name.substr(5))) continue;
    if (isStableValue(value, element)) steps.push_back(attributeStep(element, name, value, false));
    steps.push_back(attributeStep(element, name, {}, true));
  }
  return steps;
}

std::vector<SelectorStep> itemtypeSteps(const TreeElement& element) {
  std::vector<SelectorStep> steps;
  const std::string* itemtype = element.attribute("itemtype");
  if (itemtype != nullptr && !itemtype->empty() && itemtype->size() <= 100) {
    steps.push_back(attributeStep(element, "itemtype", *itemtype, false));
  }
  return steps;
}

int positionedSteps(const std::vector<SelectorStep>& steps) {
  return static_cast<int>(std::count_if(steps.begin(), steps.end(),
                                        [](const SelectorStep& s) { return s.nthOfType > 0; }));
}

}  // namespace

std::vector<SelectorStep> elementSteps(const TreeElement& element) {
  std::vector<SelectorStep> steps;
  const std::vector<std::string> classes = stableClasses(element);
  for (const std::string& name : classes) {
    SelectorStep step;
    step.tag = element.tag;
    step.classes = {name};
    steps.push_back(step);
  }
  if (classes.size() > 1) {
    SelectorStep all;
    all.tag = element.tag;
    all.classes = classes;
    steps.push_back(all);
  }
  SelectorStep bare;
  bare.tag = element.tag;
  steps.push_back(bare);
  return steps;
}

std::vector<RankedSelector> fieldSelectors(const PageTree& tree, int container, int element) {
  std::vector<RankedSelector> out;
  if (!tree.contains(container, element)) return out;
  const auto add = [&](SimpleSelector selector, SelectorRank rank) {
    if (positionedSteps(selector.steps) > 1) return;
    for (const RankedSelector& each : out) {
      if (each.selector == selector) return;
    }
    if (selectFirst(tree, selector, container) == element)
      out.push_back({std::move(selector), rank});
  };
  const TreeElement& node = at(tree, element);
  for (const SelectorStep& step : schemeSteps(node)) add(join({step}), SelectorRank::SchemeLink);
  for (const SelectorStep& step : itempropSteps(node)) add(join({step}), SelectorRank::ItemProp);
  for (const SelectorStep& step : dataSteps(node)) add(join({step}), SelectorRank::DataAttribute);
  const std::vector<SelectorStep> classed = classedSteps(node);
  for (const SelectorStep& step : classed) add(join({step}), SelectorRank::OwnClasses);
  // An ancestor's classes over the element's own classes or tag, the nearest first.
  std::vector<SelectorStep> own = elementSteps(node);
  for (int up = node.parent; up != container && up >= 0; up = at(tree, up).parent) {
    const auto combinator = up == node.parent ? Combinator::Child : Combinator::Descendant;
    for (const SelectorStep& outer : classedSteps(at(tree, up))) {
      for (SelectorStep inner : own) {
        inner.combinator = combinator;
        add(join({outer, inner}), SelectorRank::AncestorClasses);
      }
    }
  }
  add(join({own.back()}), SelectorRank::Tag);
  // Positions: the element's own, under an ancestor's classes, or the chain of children from
  // the container where only one tag repeats.
  for (const SelectorStep& step : own) {
    add(join({withPosition(step, tree, element)}), SelectorRank::Position);
  }
  for (int up = node.parent; up != container && up >= 0; up = at(tree, up).parent) {
    const auto combinator = up == node.parent ? Combinator::Child : Combinator::Descendant;
    for (const SelectorStep& outer : classedSteps(at(tree, up))) {
      for (const bool outerPositioned : {false, true}) {
        SelectorStep first = outerPositioned ? withPosition(outer, tree, up) : outer;
        SelectorStep inner = outerPositioned ? own.back() : withPosition(own.back(), tree, element);
        inner.combinator = combinator;
        add(join({first, inner}), SelectorRank::Position);
      }
    }
  }
  std::vector<SelectorStep> chain;
  for (int up = element; up != container && up >= 0; up = at(tree, up).parent) {
    SelectorStep step = withPosition(elementSteps(at(tree, up)).back(), tree, up);
    step.combinator = Combinator::Child;
    chain.insert(chain.begin(), step);
  }
  add(join(chain), SelectorRank::Position);
  return out;
}

std::vector<SimpleSelector> relativeSelectors(const PageTree& tree, int container, int element) {
  std::vector<SimpleSelector> out;
  for (RankedSelector& each : fieldSelectors(tree, container, element)) {
    out.push_back(std::move(each.selector));
  }
  return out;
}

std::vector<SimpleSelector> containerSelectors(const PageTree& tree, int element) {
  std::vector<SimpleSelector> out;
  const TreeElement& node = at(tree, element);
  auto add = [&](SimpleSelector selector) {
    if (std::find(out.begin(), out.end(), selector) == out.end() &&
        matches(tree, selector, element)) {
      out.push_back(std::move(selector));
    }
  };
  const std::vector<SelectorStep> own = elementSteps(node);
  for (std::size_t i = 0; i + 1 < own.size(); ++i) add(join({own[i]}));
  // Attributes every listing carries: data-* names (not their values, which number the
  // listings) and the schema.org type, alone and beside the first stable class.
  std::vector<SelectorStep> attributed;
  for (const SelectorStep& step : dataSteps(node)) {
    if (step.attributes.front().exists) attributed.push_back(step);
  }
  for (const SelectorStep& step : itemtypeSteps(node)) attributed.push_back(step);
  for (const SelectorStep& step : attributed) {
    add(join({step}));
    if (own.size() > 1) {
      SelectorStep both = own.front();
      both.attributes = step.attributes;
      add(join({both}));
    }
  }
  // Containers without classes of their own are told by their parent's or grandparent's.
  SelectorStep tagOnly = own.back();
  tagOnly.combinator = Combinator::Child;
  if (node.parent >= 0) {
    const TreeElement& parent = at(tree, node.parent);
    for (const SelectorStep& outer : classedSteps(parent)) add(join({outer, tagOnly}));
    if (parent.parent >= 0) {
      SelectorStep middle = elementSteps(parent).back();
      middle.combinator = Combinator::Child;
      for (const SelectorStep& outer : classedSteps(at(tree, parent.parent))) {
        add(join({outer, middle, tagOnly}));
      }
    }
  }
  add(join({own.back()}));
  return out;
}

std::vector<SimpleSelector> documentSelectors(const PageTree& tree, int element) {
  std::vector<SimpleSelector> out;
  const TreeElement& node = at(tree, element);
  std::vector<SelectorStep> own;
  if (const std::string* rel = node.attribute("rel")) {
    for (const std::string_view token : text::asciiTokens(*rel)) {
      if (text::asciiLower(token) == "next") {
        SelectorStep step;
        step.tag = node.tag;
        step.attributes.push_back({"rel", *rel, false});
        own.push_back(step);
      }
    }
  }
  for (const SelectorStep& step : classedSteps(node)) own.push_back(step);
  for (const char* name : {"aria-label", "title"}) {
    if (const std::string* value = node.attribute(name); value != nullptr && !value->empty()) {
      SelectorStep step;
      step.tag = node.tag;
      step.attributes.push_back({name, *value, false});
      own.push_back(step);
    }
  }
  for (const SelectorStep& step : own) addIfFirst(out, tree, -1, element, join({step}));
  // Inside a bar with classes: the element by its position, the last one first (a next link
  // ends its bar, and the bars of other pages have more or fewer links before it).
  SelectorStep bare = elementSteps(node).back();
  for (int up = node.parent; up >= 0; up = at(tree, up).parent) {
    const std::vector<SelectorStep> outers = classedSteps(at(tree, up));
    if (outers.empty()) continue;
    for (const SelectorStep& outer : outers) {
      SelectorStep last = bare;
      last.lastOfType = true;
      last.combinator = up == node.parent ? Combinator::Child : Combinator::Descendant;
      addIfFirst(out, tree, -1, element, join({outer, last}));
      for (const SelectorStep& step : own) addIfFirst(out, tree, -1, element, join({outer, step}));
      SelectorStep inner = bare;
      inner.combinator = last.combinator;
      addIfFirst(out, tree, -1, element, join({outer, inner}));
    }
    break;
  }
  addIfFirst(out, tree, -1, element, join({bare}));
  return out;
}

}  // namespace quillon::profiles
