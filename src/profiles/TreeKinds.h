#pragma once

#include "fields/Kinds.h"
#include "profiles/PageTree.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The kinds of what each element of a page tree shows, each judged once: the teacher, its
// choice of listing containers and field selectors, and the detection of listing cards ask
// for them many times over the same page.

namespace quillon::profiles {

// The page's country (its address, canonical link and language) and the directory's hosts
// (those of its address and canonical link), as the field kinds judge values by them.
fields::PageContext pageContextOf(const PageTree& tree);

class TreeKinds {
 public:
  TreeKinds(const PageTree& tree, fields::PageContext page);
  explicit TreeKinds(const PageTree& tree) : TreeKinds(tree, pageContextOf(tree)) {}

  const PageTree& tree() const { return m_tree; }
  const fields::PageContext& page() const { return m_page; }

  // The kinds of the element's visible text (none for a hidden element).
  fields::KindSet ofText(int element) const;
  // The kinds of the address an a or area element links to (a tel:, mailto: or web address).
  fields::KindSet ofLink(int element) const;
  // Every kind shown in the element or below it, by texts and links; Name left out.
  fields::KindSet inside(int element) const;

  // The kinds of a value read from the page, each value judged once: the candidates that
  // choices score read the same texts over and over.
  fields::KindSet ofValue(std::string_view value) const;
  bool isOfKind(std::string_view value, fields::Kind kind) const {
    return ofValue(value).has(kind);
  }

 private:
  const PageTree& m_tree;
  fields::PageContext m_page;
  mutable std::vector<fields::KindSet> m_text, m_link;
  mutable std::vector<bool> m_known;
  mutable std::vector<std::optional<fields::KindSet>> m_inside;
  // Looked up by the value's view, without a copy of it.
  struct ValueHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view value) const {
      return std::hash<std::string_view>{}(value);
    }
  };
  mutable std::unordered_map<std::string, fields::KindSet, ValueHash, std::equal_to<>> m_values;
};

}  // namespace quillon::profiles
