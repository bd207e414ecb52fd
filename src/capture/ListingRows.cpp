#include "capture/ListingRows.h"

#include "results/ResultsTable.h"

#include <string>

namespace quillon::capture {

int addListingRows(const std::vector<structured::Listing>& listings, results::ResultsTable& table,
                   const std::function<void(results::RowHandle)>& rowAdded,
                   const std::function<bool(const structured::Listing&)>& leavesEmailOut) {
  int added = 0;
  for (const structured::Listing& listing : listings) {
    const std::string& name = listing[structured::Column::Name];
    if (name.empty()) continue;
    if (table.IsAlreadyIn(listing[structured::Column::Telephone], name)) continue;
    const std::size_t last =
        listing.columns.size() - (leavesEmailOut && leavesEmailOut(listing) ? 1 : 0);
    std::vector<std::string> subItems(listing.columns.begin() + 1,
                                      listing.columns.begin() + static_cast<std::ptrdiff_t>(last));
    const results::RowHandle row = table.AddRow(name, std::move(subItems));
    ++added;
    if (rowAdded) rowAdded(row);
  }
  return added;
}

}  // namespace quillon::capture
