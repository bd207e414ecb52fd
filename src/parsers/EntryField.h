#pragma once

#include <string>
#include <string_view>

namespace quillon::parsers {

// A named text field of a listing entry, for listing an entry's fields in order.
template <class Entry>
struct EntryField {
  std::string_view name;
  std::u16string Entry::*member;
};

}  // namespace quillon::parsers
