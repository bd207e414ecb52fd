#pragma once

#include "profiles/PageTree.h"
#include "profiles/Profile.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillon::profiles {

// Where an example value shows on the page, best kinds first.
struct Placement {
  enum class Kind {
    Text,            // the element's whole visible text
    TextIgnoreCase,  // the same, letter case aside
    Attribute,       // another attribute's whole value
    Part,            // a part of the element's text, between word boundaries
    Address,         // a link's address (web, e-mail, telephone)
  };
  int element = -1;
  Kind kind = Kind::Text;
  std::string attribute;   // for Address ("href") and Attribute
  std::size_t offset = 0;  // for Part: where the example begins in the text (bytes)

  bool operator==(const Placement&) const = default;
};

// Every element that shows the example, best kinds first and in document order within a
// kind. Text and Part take visible elements only: of a chain of elements with the same text
// the outermost, then those inside it (the link inside a box may be what tells the value);
// of elements whose texts hold the example the innermost. Links' addresses
// count for the web address (scheme, "www." and a final "/" aside), the e-mail ("mailto:" and
// its query aside, case aside) and the telephone ("tel:"; the same digits, or one number
// ending in the other's six or more).
std::vector<Placement> placeExample(const PageTree& tree, Column column, std::string_view example);

// Whether a value read by a profile gives the example, in the way the placement matched it.
bool givesExample(Column column, Placement::Kind kind, std::string_view value,
                  std::string_view example);

// The value an element gives for a placement's kind: its text, or the attribute (schemes
// dropped as the profile's field reading drops them).
std::string rawValue(const PageTree& tree, int element, const std::string& attribute);

}  // namespace quillon::profiles
