#pragma once

#include "parsers/EntryField.h"

#include <array>
#include <string>

namespace quillon::parsers {

// A listing of the Australian directory (Yellow Pages Australia), parsed from one block.
class TYellowPagesAUentry {
 public:
  explicit TYellowPagesAUentry(std::u16string block);

  // Runs the site's rule set once over Text, filling the fields.
  void Execute();

  std::u16string Text, Name, Street, Zip, City, Phone, Fax, Url, Email, Products, Keywords;

  // The fields in declaration order, with their names.
  static const std::array<EntryField<TYellowPagesAUentry>, 11> Fields;
};

}  // namespace quillon::parsers
