#include "capture/ListingRows.h"

#include "results/ResultsTable.h"
#include "text/Utf8.h"

#include <string>

namespace quillon::capture {

int addListingRows(const std::vector<structured::Listing>& listings, results::ResultsTable& table,
                   const std::function<void(results::RowHandle)>& rowAdded) {
  int added = 0;
  for (const structured::Listing& listing : listings) {
    const std::string name = text::utf8ToCp1252(listing[structured::Column::Name]);
    if (name.empty()) continue;
    const std::string phone = text::utf8ToCp1252(listing[structured::Column::Telephone]);
    if (table.IsAlreadyIn(phone, name)) continue;
    std::vector<std::string> subItems;
    subItems.reserve(listing.columns.size() - 1);
    for (std::size_t column = 1; column < listing.columns.size(); ++column) {
      subItems.push_back(text::utf8ToCp1252(listing.columns[column]));
    }
    const results::RowHandle row = table.AddRow(name, std::move(subItems));
    ++added;
    if (rowAdded) rowAdded(row);
  }
  return added;
}

}  // namespace quillon::capture
