#pragma once

#include "parsers/EntryField.h"

#include <array>
#include <string>

namespace quillon::parsers {

// A listing of the Spanish directory (Páginas Amarillas), parsed from one block.
class TAmarillasESEntry {
 public:
  explicit TAmarillasESEntry(std::u16string block);

  // Runs the Spanish rule set once over Text, filling the fields.
  void Execute();

  std::u16string Text, Name, Street, Zip, City, Phone, Activity, Activity2, Url, Email, Province;

  // The fields in declaration order, with their names.
  static const std::array<EntryField<TAmarillasESEntry>, 11> Fields;
};

}  // namespace quillon::parsers
