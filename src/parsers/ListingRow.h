#pragma once

#include "parsers/Site.h"

#include <array>
#include <string>

namespace quillon::parsers {

// One parsed listing as the results table takes it: the name for column 0 and the
// fields of columns 1 to 8 in the site's column order (column 3, index 2, is always
// the phone). Texts are wide; the caller narrows them to cp1252 for the table.
struct ListingRow {
  std::u16string name;
  std::array<std::u16string, 8> columns;
  std::u16string phone;
  std::u16string url;  // the entry's Url: the Italian e-mail lookup fetches it
};

// Constructs the site's listing entry over one block, runs its rule set and maps
// its fields to the row. An empty name means the block yields no row.
ListingRow parseListingBlock(Site site, std::u16string block);

}  // namespace quillon::parsers
