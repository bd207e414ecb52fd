#pragma once

#include "parsers/EntryField.h"

#include <array>

namespace quillon::parsers {

// The fields of the Australian and Canadian entries, which have the same ones in the same
// declaration order.
template <class Entry>
std::array<EntryField<Entry>, 11> englishEntryFields() {
  return {{
      {"Text", &Entry::Text},
      {"Name", &Entry::Name},
      {"Street", &Entry::Street},
      {"Zip", &Entry::Zip},
      {"City", &Entry::City},
      {"Phone", &Entry::Phone},
      {"Fax", &Entry::Fax},
      {"Url", &Entry::Url},
      {"Email", &Entry::Email},
      {"Products", &Entry::Products},
      {"Keywords", &Entry::Keywords},
  }};
}

}  // namespace quillon::parsers
