#include "profiles/Teacher.h"

#include "profiles/ContainerChoice.h"
#include "profiles/ExampleMatch.h"
#include "profiles/FieldSelectorChoice.h"
#include "profiles/PageControls.h"
#include "profiles/PatternMaker.h"
#include "profiles/ProfileError.h"
#include "profiles/SelectorMaker.h"
#include "profiles/TaughtListings.h"
#include "text/TextRules.h"

#include <algorithm>
#include <memory>

namespace quillon::profiles {
namespace {

// Enough to try every place of a name that a result page repeats (a heading and a link).
constexpr std::size_t kMaxNamePlaces = 24;
// Containers tried, best first, before the teacher gives up on placing every example.
constexpr std::size_t kMaxContainers = 8;

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out.append(text).push_back('"');
  return out;
}

struct Work {
  const PageTree& tree;
  const TreeKinds& kinds;
  const TeachExamples& examples;
  std::array<std::vector<Placement>, kColumnCount> places;

  std::string example(Column column) const { return text::collapseWhiteSpace(examples[column]); }
};

// A field as the teacher holds it while it works.
struct TreeField {
  FieldRule rule;  // its selector is choice.selector
  FieldChoice choice;
};
using Fields = std::array<std::optional<TreeField>, kColumnCount>;

std::vector<std::size_t> placesInside(const Work& work, Column column, int container) {
  std::vector<std::size_t> inside;
  const auto& places = work.places[static_cast<std::size_t>(column)];
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (work.tree.contains(container, places[i].element)) inside.push_back(i);
  }
  return inside;
}

// The rule that reads the example where it was placed: an address's attribute, a part's
// pattern (its kind's shape, else one made from the texts of the other containers).
std::optional<FieldRule> ruleFor(const Work& work, Column column, const Placement& place,
                                 int container, const std::vector<int>& containers) {
  FieldRule rule;
  if (place.kind == Placement::Kind::Address || place.kind == Placement::Kind::Attribute) {
    rule.attribute = place.attribute;
  }
  if (place.kind != Placement::Kind::Part) return rule;
  const std::string& text = at(work.tree, place.element).text;
  const std::string example = work.example(column);
  std::optional<std::string> pattern =
      kindPattern(column, text, example, work.kinds.page().country);
  if (!pattern) {
    std::vector<std::string> others;
    const std::vector<SimpleSelector> selectors =
        relativeSelectors(work.tree, container, place.element);
    for (const int other : containers) {
      const int element = selectors.empty() || other == container
                              ? -1
                              : selectFirst(work.tree, selectors.front(), other);
      if (element >= 0) others.push_back(rawValue(work.tree, element, {}));
    }
    pattern = makePattern(text, place.offset, example, others);
  }
  if (!pattern) return std::nullopt;
  rule.pattern = *pattern;
  return rule;
}

// The field that reads the example at the place, its selector chosen over the listings.
std::optional<TreeField> makeField(const Work& work, Column column, const Placement& place,
                                   int container, const std::vector<int>& listings) {
  std::optional<FieldRule> rule = ruleFor(work, column, place, container, listings);
  if (!rule) return std::nullopt;
  try {
    std::optional<FieldReader> reader;
    reader.emplace(column, *rule);
    const std::string value = reader->read(work.tree, place.element);
    if (!givesExample(column, place.kind, value, work.example(column))) return std::nullopt;
    // The user's own example is of the field whatever its look: it keeps its value.
    if (reader->kind() && !fitsColumn(column, value, work.kinds.page())) {
      rule->checkKind = false;
      reader.emplace(column, *rule);
    }
    auto choice = chooseFieldSelector(work.kinds, container, place.element, *reader, listings);
    if (!choice) return std::nullopt;
    return TreeField{std::move(*rule), std::move(*choice)};
  } catch (const ProfileError&) {
    return std::nullopt;
  }
}

// The best field for the column among the places of its example inside the container.
std::optional<TreeField> bestField(const Work& work, Column column, int container,
                                   const std::vector<int>& listings) {
  std::optional<TreeField> best;
  const bool kinded = fields::kindOfColumn(static_cast<std::size_t>(column)).has_value();
  for (const std::size_t place : placesInside(work, column, container)) {
    auto field = makeField(work, column, work.places[static_cast<std::size_t>(column)][place],
                           container, listings);
    if (field && (!best || betterField(field->choice, best->choice, kinded))) best = field;
  }
  return best;
}

// Reads the name where the example's place says, for the containers a selector finds.
NameReaderFor nameReaders(const Work& work, const Placement& place) {
  return [&work, place](int ancestor, const std::vector<int>& containers) -> NameReader {
    auto field = makeField(work, Column::Name, place, ancestor, containers);
    if (!field) return [](int) { return std::string(); };
    auto reader = std::make_shared<FieldReader>(Column::Name, field->rule);
    return [&tree = work.tree, reader, selector = field->choice.selector](int container) {
      return reader->readIn(tree, selector, container);
    };
  };
}

std::string columnWords(Column column) {
  std::string words(columnCaption(column));
  words[0] = static_cast<char>(words[0] - 'A' + 'a');
  return column == Column::Url ? "web address" : column == Column::Region ? "province" : words;
}

// Why the example of the column could not be read in the container's listing.
std::string missingProblem(const Work& work, Column column, int container,
                           const std::vector<int>& containers) {
  const std::string head =
      "could not place the " + columnWords(column) + " " + quoted(work.example(column)) + ": ";
  if (work.places[static_cast<std::size_t>(column)].empty()) {
    return head + "no element on the page shows it";
  }
  const std::string name = quoted(work.example(Column::Name));
  if (placesInside(work, column, container).empty()) {
    for (const int other : containers) {
      if (!placesInside(work, column, other).empty()) {
        return head + "it shows in another listing, not in that of " + name;
      }
    }
    return head + "it shows outside every listing that repeats around the name " + name;
  }
  return head + "no selector reads it alike in the listing of " + name + " and the others";
}

// A field found in the example's listing alone hides behind a button in the others.
std::string revealFor(const Work& work, const Fields& fields, const std::vector<int>& listings) {
  if (listings.size() < 3) return {};
  for (std::size_t i = 1; i < kColumnCount; ++i) {
    if (!fields[i]) continue;
    std::vector<int> without;
    for (const int other : listings) {
      if (selectFirst(work.tree, fields[i]->choice.selector, other) < 0) without.push_back(other);
    }
    if (without.size() + 1 == listings.size()) {
      if (std::string reveal = findRevealButtons(work.tree, without.front(), without);
          !reveal.empty()) {
        return reveal;
      }
    }
  }
  return {};
}

// Teaches with the container chosen; fills the result and says whether every example placed.
bool teachIn(const Work& work, const ContainerChoice& choice, TeachResult& result) {
  const int container = choice.ancestor;
  Fields fields;
  std::optional<Column> missing;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const Column column = columnAt(i);
    if (work.example(column).empty()) continue;
    fields[i] = bestField(work, column, container, choice.listings);
    if (!fields[i] && !missing) missing = column;
  }
  if (!fields[0]) return false;
  Profile& profile = result.profile;
  profile.listing = choice.selector.css();
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (!fields[i]) continue;
    profile.fields[i] = fields[i]->rule;
    profile.fields[i]->selector = fields[i]->choice.selector.css();
    if (!fields[i]->rule.checkKind) {
      result.notes.push_back("the " + columnWords(columnAt(i)) + " " +
                             quoted(work.example(columnAt(i))) +
                             " does not look like one: " + "its kind is not checked");
    }
  }
  // What the profile reads, as a run will: every container with a name is a listing.
  TaughtReading reading = readContainers(work.kinds, profile, choice.containers);
  result.listingCount = static_cast<int>(reading.rows.size());
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (!fields[i]) continue;
    FieldCount& count = result.counts[i].emplace();
    count.wrong = reading.leftOut[i];
    for (const structured::Listing& row : reading.rows)
      count.filled += row.columns[i].empty() ? 0 : 1;
  }
  result.rows = std::move(reading.rows);
  profile.loadMore = findLoadMore(work.tree, choice.containers);
  if (!missing) {
    profile.reveal = revealFor(work, fields, choice.listings);
    return true;
  }
  result.problem = missingProblem(work, *missing, container, choice.containers);
  result.revealGuess = findRevealButtons(work.tree, container, choice.listings);
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

struct Candidate {
  ContainerChoice choice;
  int held = 0;  // how many other examples have a place inside the example's container
};

// The containers around every place of the name, best first.
std::vector<Candidate> containerCandidates(const Work& work) {
  fields::KindSet others;
  for (std::size_t i = 2; i < kColumnCount; ++i) {
    if (work.example(columnAt(i)).empty()) continue;
    if (const auto kind = fields::kindOfColumn(i)) others.add(*kind);
  }
  std::vector<Candidate> candidates;
  for (const Placement& place : work.places[0]) {
    for (ContainerChoice& choice :
         rankContainers(work.kinds, place.element, others, nameReaders(work, place))) {
      const bool known = std::any_of(candidates.begin(), candidates.end(), [&](const Candidate& c) {
        return c.choice.ancestor == choice.ancestor && c.choice.selector == choice.selector;
      });
      if (known) continue;
      int held = 0;
      for (std::size_t i = 1; i < kColumnCount; ++i) {
        held += placesInside(work, columnAt(i), choice.ancestor).empty() ? 0 : 1;
      }
      candidates.push_back({std::move(choice), held});
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [&work](const Candidate& a, const Candidate& b) {
                     if (a.choice.listings.size() != b.choice.listings.size()) {
                       return a.choice.listings.size() > b.choice.listings.size();
                     }
                     if (a.held != b.held) return a.held > b.held;
                     return betterContainer(work.kinds, a.choice, b.choice);
                   });
  return candidates;
}

}  // namespace

std::string_view columnCaption(Column column) {
  static constexpr std::array<std::string_view, kColumnCount> kCaptions = {
      "Name",        "Activity", "Fax",      "Telephone", "Street",
      "Postal code", "Locality", "Province", "Web",       "E-mail"};
  return kCaptions[static_cast<std::size_t>(column)];
}

std::string fillLine(const TeachResult& result, Column column) {
  const auto& count = result.counts[static_cast<std::size_t>(column)];
  if (!count) return {};
  std::string line = std::string(columnCaption(column)) + ": " + std::to_string(count->filled) +
                     " of " + std::to_string(result.listingCount) +
                     (result.listingCount == 1 ? " listing" : " listings");
  if (count->wrong > 0) {
    line += " (" + std::to_string(count->wrong) + (count->wrong == 1 ? " value" : " values") +
            " of another kind left out)";
  }
  return line;
}

TeachResult teachProfile(const PageTree& tree, const TeachExamples& examples) {
  TeachResult result;
  const TreeKinds kinds(tree);
  Work work{tree, kinds, examples, {}};
  const std::string name = work.example(Column::Name);
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

  std::vector<Candidate> candidates = containerCandidates(work);
  if (candidates.size() > kMaxContainers) candidates.resize(kMaxContainers);
  TeachResult partial;
  for (const Candidate& candidate : candidates) {
    TeachResult attempt;
    if (teachIn(work, candidate.choice, attempt)) {
      result = std::move(attempt);
      result.ok = true;
      const std::string nextText = text::collapseWhiteSpace(examples.nextText);
      if (!nextText.empty()) placeNext(tree, nextText, result);
      return result;
    }
    if (partial.problem.empty() && !attempt.problem.empty()) partial = std::move(attempt);
  }
  if (!partial.problem.empty()) return partial;
  for (std::size_t i = 1; i < kColumnCount; ++i) {
    if (!work.example(columnAt(i)).empty() && work.places[i].empty()) {
      result.problem = missingProblem(work, columnAt(i), -1, {});
      return result;
    }
  }
  result.problem =
      "could not find a listing around the name " + quoted(name) + " that repeats on the page";
  return result;
}

}  // namespace quillon::profiles
