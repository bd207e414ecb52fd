#include "profiles/Teacher.h"

#include "profiles/ExampleMatch.h"
#include "profiles/FieldValues.h"
#include "profiles/PageControls.h"
#include "profiles/PatternMaker.h"
#include "profiles/SelectorMaker.h"
#include "profiles/SimpleSelector.h"
#include "text/TextRules.h"

#include <algorithm>
#include <set>

namespace quillon::profiles {
namespace {

// Enough to try every place of a name that a result page repeats (a heading and a link).
constexpr std::size_t kMaxNamePlaces = 24;

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out.append(text).push_back('"');
  return out;
}

// A field as the teacher holds it while it works: the selector in its own subset.
struct TreeField {
  SimpleSelector selector;
  std::string attribute;
  std::string pattern;
};

struct Work {
  const PageTree& tree;
  const TeachExamples& examples;
  std::array<std::vector<Placement>, kColumnCount> places;
};

bool nested(const PageTree& tree, const std::vector<int>& containers) {
  const std::set<int> all(containers.begin(), containers.end());
  for (const int each : containers) {
    for (int up = at(tree, each).parent; up >= 0; up = at(tree, up).parent) {
      if (all.count(up) != 0) return true;
    }
  }
  return false;
}

// How many containers the selector finds a non-empty value in.
int coverage(const PageTree& tree, const SimpleSelector& selector, const std::string& attribute,
             const std::vector<int>& containers) {
  int found = 0;
  for (const int container : containers) {
    const int element = selectFirst(tree, selector, container);
    found += element >= 0 && !rawValue(tree, element, attribute).empty() ? 1 : 0;
  }
  return found;
}

// How a selector tells its element: 0 by its own classes or attributes, 1 by an ancestor's
// classes, 2 by positions or tags alone. Meaning beats structure: a position that happens to
// find a value in more listings finds the wrong one in some.
int kindOf(const SimpleSelector& selector) {
  const SelectorStep& last = selector.steps.back();
  if ((!last.classes.empty() || !last.attributes.empty()) && last.nthOfType == 0) return 0;
  bool classed = false;
  for (const SelectorStep& step : selector.steps) {
    classed = classed || !step.classes.empty() || !step.attributes.empty();
  }
  return classed && last.nthOfType == 0 ? 1 : 2;
}

// Of the selectors of the element in the container, those of the best kind; of them, the one
// that finds a value in the most containers.
std::optional<SimpleSelector> bestSelector(const PageTree& tree, int container, int element,
                                           const std::string& attribute,
                                           const std::vector<int>& containers) {
  std::optional<SimpleSelector> best;
  int bestKind = 3;
  int bestCount = -1;
  for (SimpleSelector& candidate : relativeSelectors(tree, container, element)) {
    const int kind = kindOf(candidate);
    if (kind > bestKind) continue;
    const int count = coverage(tree, candidate, attribute, containers);
    if (kind < bestKind || count > bestCount) {
      bestKind = kind;
      bestCount = count;
      best = std::move(candidate);
    }
  }
  return best;
}

std::vector<int> placesInside(const Work& work, Column column, int container) {
  std::vector<int> inside;
  const auto& places = work.places[static_cast<std::size_t>(column)];
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (work.tree.contains(container, places[i].element)) inside.push_back(static_cast<int>(i));
  }
  return inside;
}

std::string fieldValue(const PageTree& tree, int element, Column column, const TreeField& field) {
  Profile one;
  one[column] = FieldRule{field.selector.css(), field.attribute, field.pattern, false};
  FieldValues values(one);
  return values.value(column, rawValue(tree, element, field.attribute));
}

// The field that reads the example at the place, verified on the example's container.
std::optional<TreeField> makeField(const Work& work, int container,
                                   const std::vector<int>& containers, const Placement& place,
                                   Column column) {
  const PageTree& tree = work.tree;
  const std::string example = text::collapseWhiteSpace(work.examples[column]);
  TreeField field;
  if (place.kind == Placement::Kind::Address || place.kind == Placement::Kind::Attribute) {
    field.attribute = place.attribute;
  }
  auto selector = bestSelector(tree, container, place.element, field.attribute, containers);
  if (!selector) return std::nullopt;
  field.selector = std::move(*selector);
  if (place.kind == Placement::Kind::Part) {
    std::vector<std::string> others;
    for (const int other : containers) {
      if (other == container) continue;
      const int element = selectFirst(tree, field.selector, other);
      if (element >= 0) others.push_back(rawValue(tree, element, {}));
    }
    const auto pattern = makePattern(at(tree, place.element).text, place.offset, example, others);
    if (!pattern) return std::nullopt;
    field.pattern = *pattern;
  }
  if (!givesExample(column, place.kind, fieldValue(tree, place.element, column, field), example)) {
    return std::nullopt;
  }
  return field;
}

Profile toProfile(const SimpleSelector& listing,
                  const std::array<std::optional<TreeField>, kColumnCount>& fields) {
  Profile profile;
  profile.listing = listing.css();
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (!fields[i]) continue;
    profile.fields[i] =
        FieldRule{fields[i]->selector.css(), fields[i]->attribute, fields[i]->pattern, false};
  }
  return profile;
}

std::vector<structured::Listing> readContainers(
    const PageTree& tree, const std::array<std::optional<TreeField>, kColumnCount>& fields,
    const Profile& profile, const std::vector<int>& containers) {
  FieldValues values(profile);
  std::vector<structured::Listing> rows;
  for (const int container : containers) {
    structured::Listing row;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      if (!fields[i]) continue;
      const int element = selectFirst(tree, fields[i]->selector, container);
      if (element >= 0) {
        row.columns[i] = values.value(columnAt(i), rawValue(tree, element, fields[i]->attribute));
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

// The container selector under which the name is found in the most containers.
struct ContainerChoice {
  SimpleSelector selector;
  std::vector<int> containers;
  int support = 0;
};

std::optional<ContainerChoice> chooseContainer(const PageTree& tree, int container, int name) {
  std::optional<ContainerChoice> best;
  for (SimpleSelector& candidate : containerSelectors(tree, container)) {
    std::vector<int> found = selectAll(tree, candidate);
    if (found.size() < 2 || nested(tree, found)) continue;
    const auto nameSelector = bestSelector(tree, container, name, {}, found);
    if (!nameSelector) continue;
    const int support = coverage(tree, *nameSelector, {}, found);
    // More containers with a name, then fewer without one.
    if (!best || support > best->support ||
        (support == best->support && found.size() < best->containers.size())) {
      best = ContainerChoice{std::move(candidate), std::move(found), support};
    }
  }
  if (!best || best->support < 2) return std::nullopt;
  return best;
}

std::string columnWords(Column column) {
  switch (column) {
    case Column::Name:
      return "name";
    case Column::Activity:
      return "activity";
    case Column::Fax:
      return "fax";
    case Column::Telephone:
      return "telephone";
    case Column::Street:
      return "street";
    case Column::PostalCode:
      return "postal code";
    case Column::Locality:
      return "locality";
    case Column::Region:
      return "province";
    case Column::Url:
      return "web address";
    case Column::Email:
      return "e-mail";
  }
  return "field";
}

// Teaches with the container found; fills the result and says whether every example placed.
bool teachIn(const Work& work, int container, const ContainerChoice& choice, TeachResult& result) {
  const PageTree& tree = work.tree;
  std::array<std::optional<TreeField>, kColumnCount> fields;
  std::vector<Column> missing;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const Column column = columnAt(i);
    if (work.examples.values[i].empty()) continue;
    for (const int place : placesInside(work, column, container)) {
      fields[i] = makeField(work, container, choice.containers,
                            work.places[i][static_cast<std::size_t>(place)], column);
      if (fields[i]) break;
    }
    if (!fields[i]) missing.push_back(column);
  }
  if (!fields[0]) return false;
  result.profile = toProfile(choice.selector, fields);
  result.listingCount = static_cast<int>(choice.containers.size());
  result.rows = readContainers(tree, fields, result.profile, choice.containers);
  result.profile.loadMore = findLoadMore(tree, choice.containers);
  // A field found in the example's listing alone hides behind a button in the others.
  if (missing.empty()) {
    for (std::size_t i = 1; i < kColumnCount && result.profile.reveal.empty(); ++i) {
      if (!fields[i] || choice.containers.size() < 3) continue;
      std::vector<int> without;
      for (const int other : choice.containers) {
        if (selectFirst(tree, fields[i]->selector, other) < 0) without.push_back(other);
      }
      if (without.size() + 1 == choice.containers.size()) {
        result.profile.reveal = findRevealButtons(tree, without.front(), without);
      }
    }
  }
  if (missing.empty()) return true;
  const std::string name = text::collapseWhiteSpace(work.examples[Column::Name]);
  const bool nowhere = work.places[static_cast<std::size_t>(missing.front())].empty();
  result.problem =
      "could not place the " + columnWords(missing.front()) + " " +
      quoted(text::collapseWhiteSpace(work.examples[missing.front()])) +
      (nowhere ? ": no element on the page shows it" : " in the listing of " + quoted(name));
  result.revealGuess = findRevealButtons(tree, container, choice.containers);
  return false;
}

bool placeNext(const PageTree& tree, const std::string& text, TeachResult& result) {
  const int link = findNextLink(tree, text);
  if (link < 0) {
    result.ok = false;
    result.problem = "could not place the next-page link " + quoted(text);
    return false;
  }
  const std::vector<SimpleSelector> selectors = documentSelectors(tree, link);
  if (selectors.empty()) {
    result.ok = false;
    result.problem = "could not write a selector for the next-page link " + quoted(text);
    return false;
  }
  result.profile.next = selectors.front().css();
  return true;
}

}  // namespace

TeachResult teachProfile(const PageTree& tree, const TeachExamples& examples) {
  TeachResult result;
  Work work{tree, examples, {}};
  const std::string name = text::collapseWhiteSpace(examples[Column::Name]);
  if (name.empty()) {
    result.problem = "the name of one listing is needed";
    return result;
  }
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    work.places[i] = placeExample(tree, columnAt(i), examples.values[i]);
  }
  auto& names = work.places[0];
  if (names.empty()) {
    result.problem = "could not place the name " + quoted(name) + ": no element shows it";
    return result;
  }
  if (names.size() > kMaxNamePlaces) names.resize(kMaxNamePlaces);

  // For each place of the name, the smallest repeating ancestor that holds a place of the
  // most other examples; those holding more are tried first.
  struct Candidate {
    int container;
    ContainerChoice choice;
    int held;
  };
  std::vector<Candidate> candidates;
  for (const Placement& place : names) {
    int mostHeld = -1;
    for (int up = at(tree, place.element).parent; up >= 0; up = at(tree, up).parent) {
      int held = 0;
      for (std::size_t i = 1; i < kColumnCount; ++i) {
        held += placesInside(work, columnAt(i), up).empty() ? 0 : 1;
      }
      if (held <= mostHeld) continue;
      if (auto choice = chooseContainer(tree, up, place.element)) {
        mostHeld = held;
        candidates.push_back({up, std::move(*choice), held});
      }
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.held > b.held; });
  bool found = false;
  TeachResult partial;
  for (const Candidate& candidate : candidates) {
    TeachResult attempt;
    if (teachIn(work, candidate.container, candidate.choice, attempt)) {
      result = std::move(attempt);
      found = true;
      break;
    }
    if (partial.problem.empty() && !attempt.problem.empty()) partial = std::move(attempt);
  }
  if (!found) {
    if (!partial.problem.empty()) return partial;
    for (std::size_t i = 1; i < kColumnCount; ++i) {
      if (!examples.values[i].empty() && work.places[i].empty()) {
        result.problem = "could not place the " + columnWords(columnAt(i)) + " " +
                         quoted(text::collapseWhiteSpace(examples.values[i])) +
                         ": no element on the page shows it";
        return result;
      }
    }
    result.problem =
        "could not find a listing around the name " + quoted(name) + " that repeats on the page";
    return result;
  }
  result.ok = true;
  const std::string nextText = text::collapseWhiteSpace(examples.nextText);
  if (!nextText.empty()) placeNext(tree, nextText, result);
  return result;
}

std::vector<structured::Listing> readTaughtListings(const PageTree& tree, const Profile& profile) {
  const auto listing = parseSimpleSelector(profile.listing);
  if (!listing) return {};
  std::array<std::optional<TreeField>, kColumnCount> fields;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const auto& rule = profile.fields[i];
    if (!rule || rule->fromStructuredData) continue;
    auto selector = parseSimpleSelector(rule->selector);
    if (selector) fields[i] = TreeField{std::move(*selector), rule->attribute, rule->pattern};
  }
  return readContainers(tree, fields, profile, selectAll(tree, *listing));
}

}  // namespace quillon::profiles
