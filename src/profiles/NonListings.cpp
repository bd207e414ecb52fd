#include "profiles/NonListings.h"

#include "fields/TextShapes.h"
#include "profiles/ClassNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillon::profiles {
namespace {

// How far below a box its marks are looked for: a badge sits near the top of a card.
constexpr int kMarkDepth = 4;

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

bool isBoxTag(const TreeElement& element) {
  static constexpr std::array<std::string_view, 4> kTags = {"nav", "header", "footer", "aside"};
  if (std::find(kTags.begin(), kTags.end(), element.tag) != kTags.end()) return true;
  const std::string* role = element.attribute("role");
  return role != nullptr && (*role == "navigation" || *role == "banner" || *role == "contentinfo" ||
                             *role == "complementary");
}

bool isBoxWord(std::string_view word) {
  static constexpr std::array<std::string_view, 30> kWords = {
      "ad",          "ads",        "advert",   "adverts",    "advertisement", "advertising",
      "sponsor",     "sponsored",  "sponsors", "promo",      "promoted",      "promotion",
      "banner",      "tip",        "tips",     "related",    "suggestions",   "suggested",
      "similar",     "nav",        "navbar",   "navigation", "menu",          "breadcrumb",
      "breadcrumbs", "pagination", "pager",    "footer",     "cookie",        "cookies"};
  return std::find(kWords.begin(), kWords.end(), word) != kWords.end();
}

bool namedAsBox(const TreeElement& element) {
  for (const std::string& name : element.classes) {
    for (const std::string& word : nameWords(name)) {
      if (isBoxWord(word)) return true;
    }
  }
  for (const std::string& word : nameWords(element.id)) {
    if (isBoxWord(word)) return true;
  }
  return false;
}

bool isHeading(const TreeElement& element) {
  return element.tag.size() == 2 && element.tag[0] == 'h' && element.tag[1] >= '1' &&
         element.tag[1] <= '6';
}

// An ad's mark on the box or in it, or a section's heading as its first heading.
bool markedAsBox(const PageTree& tree, int container) {
  const TreeElement& box = at(tree, container);
  if (const std::string* label = box.attribute("aria-label");
      label != nullptr && fields::captionOf(*label) == fields::Caption::AdMark) {
    return true;
  }
  bool headingSeen = false;
  for (int i = container + 1;
       i < static_cast<int>(tree.elements.size()) && at(tree, i).depth > box.depth; ++i) {
    const TreeElement& element = at(tree, i);
    if (element.hidden || element.text.empty() || element.depth > box.depth + kMarkDepth) continue;
    const fields::Caption caption = fields::captionOf(element.text);
    if (caption == fields::Caption::AdMark) return true;
    if (isHeading(element) && !headingSeen) {
      headingSeen = true;
      if (caption == fields::Caption::Section) return true;
    }
  }
  return false;
}

}  // namespace

bool isNonListing(const TreeKinds& kinds, int container) {
  const PageTree& tree = kinds.tree();
  int level = 0;
  for (int up = container; up >= 0; up = at(tree, up).parent, ++level) {
    if (isBoxTag(at(tree, up))) return true;
    // A page's body may say "has-ads"; only the box and what holds it closely count.
    if (level <= 2 && namedAsBox(at(tree, up))) return true;
  }
  return markedAsBox(tree, container);
}

std::string classOfBoxesAlone(const PageTree& tree, const std::vector<int>& boxes,
                              const std::vector<int>& listings) {
  if (boxes.empty()) return {};
  for (const std::string& name : at(tree, boxes.front()).classes) {
    if (looksGenerated(name)) continue;
    const auto has = [&](int element) { return at(tree, element).hasClass(name); };
    if (std::all_of(boxes.begin(), boxes.end(), has) &&
        std::none_of(listings.begin(), listings.end(), has)) {
      return name;
    }
  }
  return {};
}

}  // namespace quillon::profiles
