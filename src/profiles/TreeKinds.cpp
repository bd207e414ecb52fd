#include "profiles/TreeKinds.h"

#include "fields/Country.h"

namespace quillon::profiles {

fields::PageContext pageContextOf(const PageTree& tree) {
  const std::string country = fields::pageCountry(
      {.pageUrl = tree.url, .canonicalUrl = tree.canonical, .language = tree.language});
  return {country, fields::DirectoryHosts(tree.url, tree.canonical)};
}

TreeKinds::TreeKinds(const PageTree& tree, fields::PageContext page)
    : m_tree(tree),
      m_page(std::move(page)),
      m_text(tree.elements.size()),
      m_link(tree.elements.size()),
      m_known(tree.elements.size(), false),
      m_inside(tree.elements.size()) {}

fields::KindSet TreeKinds::ofText(int element) const {
  const auto at = static_cast<std::size_t>(element);
  if (!m_known[at]) {
    const TreeElement& node = m_tree.elements[at];
    if (!node.hidden && !node.text.empty()) m_text[at] = ofValue(node.text);
    if (node.tag == "a" || node.tag == "area") {
      if (const std::string* href = node.attribute("href"); href != nullptr && !href->empty()) {
        m_link[at] = ofValue(*href);
      }
    }
    m_known[at] = true;
  }
  return m_text[at];
}

fields::KindSet TreeKinds::ofLink(int element) const {
  ofText(element);
  return m_link[static_cast<std::size_t>(element)];
}

fields::KindSet TreeKinds::ofValue(std::string_view value) const {
  // Past this many values, a hostile page gains nothing from being remembered.
  constexpr std::size_t kMaxRemembered = 100'000;
  if (const auto found = m_values.find(value); found != m_values.end()) return found->second;
  const fields::KindSet kinds = fields::kindsOf(value, m_page);
  if (m_values.size() < kMaxRemembered) m_values.emplace(std::string(value), kinds);
  return kinds;
}

fields::KindSet TreeKinds::inside(int element) const {
  auto& known = m_inside[static_cast<std::size_t>(element)];
  if (known) return *known;
  fields::KindSet kinds;
  const int depth = m_tree.elements[static_cast<std::size_t>(element)].depth;
  // Document order: the element's descendants follow it until an element no deeper than it.
  for (int i = element; i < static_cast<int>(m_tree.elements.size()); ++i) {
    if (i > element && m_tree.elements[static_cast<std::size_t>(i)].depth <= depth) break;
    for (const fields::KindSet set : {ofText(i), ofLink(i)}) {
      for (std::size_t k = 0; k < fields::kKindCount; ++k) {
        const auto kind = static_cast<fields::Kind>(k);
        if (kind != fields::Kind::Name && set.has(kind)) kinds.add(kind);
      }
    }
  }
  known = kinds;
  return kinds;
}

}  // namespace quillon::profiles
