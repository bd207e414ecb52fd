#include "capture/PageRows.h"

#include "capture/PageCut.h"
#include "parsers/ListingRow.h"
#include "results/ResultsTable.h"
#include "text/Cp1252.h"

#include <vector>

namespace quillon::capture {

int addPageRows(parsers::Site site, std::u16string_view pageText, results::ResultsTable& table,
                const RowAddedFn& rowAdded) {
  int added = 0;
  forEachBlock(pageText, [&](std::u16string_view block) {
    const parsers::ListingRow listing = parsers::parseListingBlock(site, std::u16string(block));
    if (listing.name.empty()) return;
    const std::string name = text::utf16ToCp1252(listing.name);
    if (table.IsAlreadyIn(text::utf16ToCp1252(listing.phone), name)) return;
    std::vector<std::string> subItems;
    subItems.reserve(listing.columns.size());
    for (const auto& column : listing.columns) subItems.push_back(text::utf16ToCp1252(column));
    const results::RowHandle row = table.AddRow(name, std::move(subItems));
    ++added;
    if (rowAdded) rowAdded(row);
  });
  return added;
}

}  // namespace quillon::capture
