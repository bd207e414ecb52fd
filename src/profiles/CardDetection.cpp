#include "profiles/CardDetection.h"

#include "fields/TextShapes.h"
#include "profiles/CardColumns.h"
#include "profiles/ClassNames.h"
#include "profiles/ContainerChoice.h"
#include "profiles/NonListings.h"
#include "profiles/PageControls.h"

#include <algorithm>
#include <map>
#include <optional>

namespace quillon::profiles {
namespace {

using fields::Kind;

// Bounds that keep a hostile page's cost near that of a large result page.
constexpr std::size_t kMaxAnchors = 4000;  // name-like elements looked at
constexpr std::size_t kMaxLooks = 6;       // looks of names whose containers are ranked
constexpr int kMaxLevels = 8;              // a card lies at most this far above its name
constexpr std::size_t kMaxNameBytes = 200;
constexpr int kLookAncestors = 3;
// Cards in which a reveal button is looked for.
constexpr std::size_t kRevealTries = 8;

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

bool namesItself(const TreeElement& element) {
  const std::string* itemprop = element.attribute("itemprop");
  return (element.tag.size() == 2 && element.tag[0] == 'h' && element.tag[1] >= '1' &&
          element.tag[1] <= '6') ||
         (itemprop != nullptr && *itemprop == "name");
}

// A heading or itemprop=name, or a link outside of one (a heading's link names nothing more).
bool mayShowName(const PageTree& tree, int index) {
  const TreeElement& element = at(tree, index);
  if (namesItself(element)) return true;
  if (element.tag != "a") return false;
  for (int up = element.parent, level = 0; up >= 0 && level < 2;
       up = at(tree, up).parent, ++level) {
    if (namesItself(at(tree, up))) return false;
  }
  return true;
}

// The name of a card whose names are headings: its first heading (or itemprop=name) that looks
// like a name. The other boxes of such a card ("Get a quote") have none.
std::string headingNameIn(const TreeKinds& kinds, int container) {
  const PageTree& tree = kinds.tree();
  const int depth = at(tree, container).depth;
  for (int i = container + 1; i < static_cast<int>(tree.elements.size()); ++i) {
    const TreeElement& element = at(tree, i);
    if (element.depth <= depth) break;
    if (!element.hidden && namesItself(element) && kinds.ofText(i).has(Kind::Name)) {
      return element.text;
    }
  }
  return {};
}

// The look of a name and the elements above it: the names of sibling cards look alike.
std::string anchorLook(const PageTree& tree, int index) {
  std::string look;
  for (int level = 0; level <= kLookAncestors && index >= 0; ++level) {
    const TreeElement& element = at(tree, index);
    look.append(element.tag);
    for (const std::string& name : element.classes) {
      if (!looksGenerated(name)) look.append(".").append(name);
    }
    look.push_back('<');
    index = element.parent;
  }
  return look;
}

// Whether a gives more cards than b: more listings, then more of them side by side (a box
// that only some cards lack, such as a sponsored card's, does not make the cards' inner boxes
// the better choice), then as ContainerChoice orders them.
bool moreCards(const TreeKinds& kinds, const ContainerChoice& a, const ContainerChoice& b) {
  if (a.listings.size() != b.listings.size()) return a.listings.size() > b.listings.size();
  const std::size_t aSiblings = siblingShare(kinds.tree(), a.listings);
  const std::size_t bSiblings = siblingShare(kinds.tree(), b.listings);
  if (aSiblings != bSiblings) return aSiblings > bSiblings;
  return betterContainer(kinds, a, b);
}

class Detector {
 public:
  explicit Detector(const TreeKinds& kinds)
      : m_kinds(kinds), m_tree(kinds.tree()), m_boxes(m_tree.elements.size(), -1) {}

  TeachResult run() {
    TeachResult result;
    std::optional<ContainerChoice> choice = chooseCards();
    if (!choice) {
      result.problem = kNoListingsFound;
      return result;
    }
    leaveBoxesOut(*choice, result);
    const CardFields fields = detectColumns(m_kinds, choice->listings);
    if (!fields[0]) {
      result.problem = kNoListingsFound;
      return result;
    }
    Profile& profile = result.profile;
    profile.listing = choice->selector.css();
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      if (!fields[i]) continue;
      profile.fields[i] = fields[i]->rule;
      result.counts[i] = FieldCount{fields[i]->choice.score.fills, fields[i]->choice.score.wrong};
    }
    const auto& phone = result.counts[static_cast<std::size_t>(Column::Telephone)];
    if (!phone || phone->filled < static_cast<int>(choice->listings.size())) {
      profile.reveal = revealButtons(choice->listings);
    }
    profile.loadMore = findLoadMore(m_tree, choice->containers);
    result.listingCount = static_cast<int>(choice->listings.size());
    result.rows = readContainers(m_kinds, profile, choice->containers).rows;
    result.ok = true;
    return result;
  }

 private:
  bool isBox(int container) {
    auto& known = m_boxes[static_cast<std::size_t>(container)];
    if (known < 0) known = isNonListing(m_kinds, container) ? 1 : 0;
    return known == 1;
  }

  // The first name-like element of each look that repeats, the looks found most first.
  std::vector<int> anchors() {
    std::map<std::string, std::pair<int, int>> looks;  // -> first element, count
    std::size_t seen = 0;
    for (int i = 0; i < static_cast<int>(m_tree.elements.size()) && seen < kMaxAnchors; ++i) {
      const TreeElement& element = at(m_tree, i);
      if (element.hidden || element.text.empty() || element.text.size() > kMaxNameBytes ||
          !mayShowName(m_tree, i)) {
        continue;
      }
      ++seen;
      if (!m_kinds.ofText(i).has(Kind::Name)) continue;
      auto [found, fresh] = looks.try_emplace(anchorLook(m_tree, i), i, 0);
      ++found->second.second;
    }
    std::vector<std::pair<int, int>> repeated;  // count, element
    for (const auto& [look, first] : looks) {
      if (first.second >= 2) repeated.emplace_back(first.second, first.first);
    }
    std::stable_sort(repeated.begin(), repeated.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> out;
    for (std::size_t i = 0; i < repeated.size() && i < kMaxLooks; ++i) {
      out.push_back(repeated[i].second);
    }
    return out;
  }

  std::optional<ContainerChoice> chooseCards() {
    std::optional<ContainerChoice> best;
    for (const int anchor : anchors()) {
      const bool headed = namesItself(at(m_tree, anchor));
      const NameReaderFor names = [this, headed](int, const std::vector<int>&) -> NameReader {
        return [this, headed](int container) {
          if (isBox(container)) return std::string();
          return headed ? headingNameIn(m_kinds, container) : nameIn(m_kinds, container);
        };
      };
      for (ContainerChoice& choice : rankContainers(m_kinds, anchor, {}, names, kMaxLevels)) {
        if (!best || moreCards(m_kinds, choice, *best)) best = std::move(choice);
      }
    }
    return best;
  }

  // Boxes that share the cards' look and read like listings (a sponsored card) would be rows
  // of every profile run: a class of theirs alone keeps them out of the selector.
  void leaveBoxesOut(ContainerChoice& choice, TeachResult& result) {
    std::vector<int> boxes;
    for (const int container : choice.containers) {
      if (isBox(container) && isListing(m_kinds, container, {})) boxes.push_back(container);
    }
    if (boxes.empty()) return;
    const std::string name = classOfBoxesAlone(m_tree, boxes, choice.listings);
    if (name.empty()) {
      result.notes.push_back(std::to_string(boxes.size()) +
                             " boxes that look like advertisements share the listings' look and"
                             " are read with them");
      return;
    }
    choice.selector.steps.back().notClasses.push_back(name);
    choice.containers = selectAll(m_tree, choice.selector);
  }

  // The selector of the buttons in the cards that show the telephone, when there are.
  std::string revealButtons(const std::vector<int>& cards) const {
    for (std::size_t i = 0; i < cards.size() && i < kRevealTries; ++i) {
      const std::string css = findRevealButtons(m_tree, cards[i], cards);
      const auto selector = parseSimpleSelector(css);
      if (!selector) continue;
      const int button = selectFirst(m_tree, *selector, cards[i]);
      if (button >= 0 && fields::captionOf(at(m_tree, button).text) == fields::Caption::Reveal) {
        return css;
      }
    }
    return {};
  }

  const TreeKinds& m_kinds;
  const PageTree& m_tree;
  std::vector<signed char> m_boxes;  // -1 unknown, 0 no box, 1 a box
};

}  // namespace

TeachResult detectProfile(const TreeKinds& kinds) { return Detector(kinds).run(); }

TeachResult detectProfile(const PageTree& tree) {
  const TreeKinds kinds(tree);
  return detectProfile(kinds);
}

}  // namespace quillon::profiles
