#include "capture/PageRows.h"

#include "capture/PageCut.h"
#include "parsers/ListingRow.h"
#include "results/ResultsTable.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <vector>

namespace quillon::capture {

namespace {

// A built-in directory's field as the table holds it: narrowed to cp1252 (best fit) as the
// rule sets define their texts, then converted once, losslessly, to the table's UTF-8.
std::string tableText(std::u16string_view field) {
  return text::cp1252ToUtf8(text::utf16ToCp1252(field));
}

}  // namespace

int addPageRows(parsers::Site site, std::u16string_view pageText, results::ResultsTable& table,
                const RowAddedFn& rowAdded) {
  int added = 0;
  forEachBlock(pageText, [&](std::u16string_view block) {
    const parsers::ListingRow listing = parsers::parseListingBlock(site, std::u16string(block));
    if (listing.name.empty()) return;
    const std::string name = tableText(listing.name);
    if (table.IsAlreadyIn(tableText(listing.phone), name)) return;
    std::vector<std::string> subItems;
    subItems.reserve(listing.columns.size());
    for (const auto& column : listing.columns) subItems.push_back(tableText(column));
    const results::RowHandle row = table.AddRow(name, std::move(subItems));
    ++added;
    if (rowAdded) rowAdded(row);
  });
  return added;
}

}  // namespace quillon::capture
