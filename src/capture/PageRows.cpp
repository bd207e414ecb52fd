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
  // Every block is parsed before the first row goes in: a block that fails leaves the table
  // as it was, and a page's rows are in the table (and its journal) all or not at all.
  std::vector<parsers::ListingRow> listings;
  forEachBlock(pageText, [&](std::u16string_view block) {
    parsers::ListingRow listing = parsers::parseListingBlock(site, std::u16string(block));
    if (!listing.name.empty()) listings.push_back(std::move(listing));
  });
  std::vector<results::RowHandle> added;
  for (const parsers::ListingRow& listing : listings) {
    const std::string name = tableText(listing.name);
    if (table.IsAlreadyIn(tableText(listing.phone), name)) continue;
    std::vector<std::string> subItems;
    subItems.reserve(listing.columns.size());
    for (const auto& column : listing.columns) subItems.push_back(tableText(column));
    added.push_back(table.AddRow(name, std::move(subItems)));
  }
  if (rowAdded) {
    for (const results::RowHandle row : added) rowAdded(row);
  }
  return static_cast<int>(added.size());
}

}  // namespace quillon::capture
