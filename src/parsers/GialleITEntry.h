#pragma once

#include "parsers/EntryField.h"

#include <array>
#include <string>

namespace quillon::parsers {

// A listing of the Italian directory (Pagine Gialle), parsed from one block.
class TGialleITEntry {
 public:
  explicit TGialleITEntry(std::u16string block);

  // Runs the site's rule set once over Text, filling the fields.
  void Execute();

  std::u16string Text, Name, Street, Zip, City, Phone, Products, Fax, Url, Email, Province;

  // The fields in declaration order, with their names.
  static const std::array<EntryField<TGialleITEntry>, 11> Fields;
};

}  // namespace quillon::parsers
