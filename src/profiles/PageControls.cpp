#include "profiles/PageControls.h"

#include "profiles/SelectorMaker.h"
#include "text/Ascii.h"
#include "text/TextRules.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <set>

namespace quillon::profiles {
namespace {

const TreeElement& at(const PageTree& tree, int index) {
  return tree.elements[static_cast<std::size_t>(index)];
}

constexpr std::array<std::string_view, 8> kArrows = {"›", "»", ">", "→", "‹", "«", "<", "←"};

// The text as compared with a control's words: collapsed, lower case, arrows at the ends gone.
std::string comparable(std::string_view text) {
  std::string out = text::foldCase(text::collapseWhiteSpace(text));
  for (bool peeled = true; peeled;) {
    peeled = false;
    for (const std::string_view arrow : kArrows) {
      if (out.starts_with(arrow)) {
        out.erase(0, arrow.size());
        peeled = true;
      }
      if (out.ends_with(arrow)) {
        out.erase(out.size() - arrow.size());
        peeled = true;
      }
    }
    out = text::collapseWhiteSpace(out);
  }
  return out;
}

bool isJavascript(std::string_view href) {
  return text::asciiLower(href.substr(0, 11)) == "javascript:";
}

// A link whose click loads another page: an a or area with an address that is neither a
// script nor a place on this page.
bool leadsAway(const PageTree& tree, const TreeElement& element) {
  if (element.tag != "a" && element.tag != "area") return false;
  const std::string* href = element.attribute("href");
  if (href == nullptr || href->empty() || isJavascript(*href)) return false;
  const std::string_view page = std::string_view(tree.url).substr(0, tree.url.find('#'));
  const std::size_t hash = href->find('#');
  return hash == std::string::npos || std::string_view(*href).substr(0, hash) != page;
}

// Whether a click on the element may leave the page: it is such a link or lies inside one.
bool insideLink(const PageTree& tree, int index) {
  for (int up = index; up >= 0; up = at(tree, up).parent) {
    if (leadsAway(tree, at(tree, up))) return true;
  }
  return false;
}

// A control a click acts on in the page: a button, an element with role=button, or a link
// to a script or to this page; never one that is or lies inside a link to another page.
bool isClickable(const PageTree& tree, int index) {
  const TreeElement& element = at(tree, index);
  if (element.hidden || insideLink(tree, index)) return false;
  if (element.tag == "button" || element.tag == "a") return true;
  const std::string* role = element.attribute("role");
  return role != nullptr && *role == "button";
}

bool startsWithAny(std::string_view text, std::initializer_list<std::string_view> words) {
  for (const std::string_view word : words) {
    if (text.starts_with(word)) return true;
  }
  return false;
}

bool containsAny(std::string_view text, std::initializer_list<std::string_view> words) {
  for (const std::string_view word : words) {
    if (text.find(word) != std::string_view::npos) return true;
  }
  return false;
}

bool readsLoadMore(std::string_view text) {
  return startsWithAny(
      text,
      {"load more",         "show more",       "more results",  "see more",       "view more",
       "cargar más",        "ver más",         "mostrar más",   "más resultados", "carica altri",
       "mostra altri",      "altri risultati", "carica di più", "voir plus",      "afficher plus",
       "plus de résultats", "mehr laden",      "mehr anzeigen", "weitere",        "meer laden",
       "toon meer",         "carregar mais",   "ver mais",      "mostrar mais"});
}

bool speaksOfRevealing(std::string_view text) {
  return containsAny(text, {"phone", "tel", "número", "numero", "show", "reveal", "call", "ver ",
                            "mostra", "llamar", "chiama", "afficher", "voir", "anzeigen"});
}

}  // namespace

int findNextLink(const PageTree& tree, std::string_view text) {
  const std::string wanted = comparable(text);
  if (wanted.empty()) return -1;
  for (int i = 0; i < static_cast<int>(tree.elements.size()); ++i) {
    const TreeElement& element = at(tree, i);
    if (element.tag != "a") continue;
    if (comparable(element.text) == wanted) return i;
    for (const char* name : {"aria-label", "title"}) {
      if (const std::string* value = element.attribute(name);
          value != nullptr && comparable(*value) == wanted) {
        return i;
      }
    }
  }
  return -1;
}

std::string findLoadMore(const PageTree& tree, const std::vector<int>& containers) {
  if (containers.empty()) return {};
  // A results' "load more" sits right under them: of the buttons outside every container, the
  // one whose nearest common ancestor with the last container is the deepest ("show more
  // suggestions" in a side box shares only the page's body with them).
  const int last = containers.back();
  int best = -1;
  int bestDepth = -1;
  for (int i = 0; i < static_cast<int>(tree.elements.size()); ++i) {
    if (!isClickable(tree, i) || !readsLoadMore(comparable(at(tree, i).text))) continue;
    bool inside = false;
    for (const int container : containers) inside = inside || tree.contains(container, i);
    if (inside) continue;
    int common = at(tree, i).parent;
    while (common >= 0 && !tree.contains(common, last)) common = at(tree, common).parent;
    const int depth = common < 0 ? -1 : at(tree, common).depth;
    if (depth > bestDepth) {
      best = i;
      bestDepth = depth;
    }
  }
  if (best < 0) return {};
  const std::vector<SimpleSelector> selectors = documentSelectors(tree, best);
  return selectors.empty() ? std::string() : selectors.front().css();
}

std::string findRevealButtons(const PageTree& tree, int container,
                              const std::vector<int>& containers) {
  std::vector<int> buttons;
  for (int i = container + 1;
       i < static_cast<int>(tree.elements.size()) && tree.contains(container, i); ++i) {
    if (isClickable(tree, i)) buttons.push_back(i);
  }
  // Those that speak of a telephone or of showing come first, then document order.
  std::stable_partition(buttons.begin(), buttons.end(), [&](int button) {
    return speaksOfRevealing(comparable(at(tree, button).text));
  });
  std::string best;
  std::size_t bestCount = 0;
  for (const int button : buttons) {
    for (const SimpleSelector& selector : relativeSelectors(tree, container, button)) {
      std::size_t count = 0;
      for (const int other : containers) count += selectFirst(tree, selector, other) >= 0 ? 1 : 0;
      if (count > bestCount) {
        bestCount = count;
        best = selector.css();
      }
    }
    if (!best.empty()) break;
  }
  return best;
}

}  // namespace quillon::profiles
