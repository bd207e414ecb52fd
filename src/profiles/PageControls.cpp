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

bool isClickable(const TreeElement& element) {
  if (element.hidden) return false;
  if (element.tag == "button") return true;
  if (const std::string* role = element.attribute("role"); role != nullptr && *role == "button") {
    return true;
  }
  if (element.tag != "a") return false;
  const std::string* href = element.attribute("href");
  if (href == nullptr || href->empty() || href->find('#') != std::string::npos) return true;
  return text::asciiLower(href->substr(0, 11)) == "javascript:";
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
  for (int i = 0; i < static_cast<int>(tree.elements.size()); ++i) {
    const TreeElement& element = at(tree, i);
    if (!isClickable(element) && element.tag != "a") continue;
    if (!readsLoadMore(comparable(element.text))) continue;
    bool inside = false;
    for (const int container : containers) inside = inside || tree.contains(container, i);
    if (inside) continue;
    const std::vector<SimpleSelector> selectors = documentSelectors(tree, i);
    if (!selectors.empty()) return selectors.front().css();
  }
  return {};
}

std::string findRevealButtons(const PageTree& tree, int container,
                              const std::vector<int>& containers) {
  std::vector<int> buttons;
  for (int i = container + 1;
       i < static_cast<int>(tree.elements.size()) && tree.contains(container, i); ++i) {
    if (isClickable(at(tree, i))) buttons.push_back(i);
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
