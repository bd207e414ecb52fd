#pragma once

#include "parsers/EntryField.h"

#include <array>
#include <string>

namespace quillon::parsers {

// A listing of the Canadian directory (Yellow Pages Canada), parsed from one block.
class TYellowPagescaentry {
 public:
  explicit TYellowPagescaentry(std::u16string block);

  // Runs the site's rule set once over Text, filling the fields.
  void Execute();

  std::u16string Text, Name, Street, Zip, City, Phone, Fax, Url, Email, Products, Keywords;

  // The fields in declaration order, with their names.
  static const std::array<EntryField<TYellowPagescaentry>, 11> Fields;
};

}  // namespace quillon::parsers
