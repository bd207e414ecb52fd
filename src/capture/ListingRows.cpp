#include "capture/ListingRows.h"

#include "results/ResultsTable.h"

#include <string>

namespace quillon::capture {

int addListingRows(const std::vector<structured::Listing>& listings, results::ResultsTable& table,
                   const std::function<void(results::RowHandle)>& rowAdded,
                   const std::function<bool(const structured::Listing&)>& leavesEmailOut) {
  std::vector<results::RowHandle> added;
  for (const structured::Listing& listing : listings) {
    const std::string& name = listing[structured::Column::Name];
    if (name.empty()) continue;
    if (table.IsAlreadyIn(listing[structured::Column::Telephone], name)) continue;
    const std::size_t last =
        listing.columns.size() - (leavesEmailOut && leavesEmailOut(listing) ? 1 : 0);
    std::vector<std::string> subItems(listing.columns.begin() + 1,
                                      listing.columns.begin() + static_cast<std::ptrdiff_t>(last));
    added.push_back(table.AddRow(name, std::move(subItems)));
  }
  // The e-mail searches start once the page's rows are all in.
  if (rowAdded) {
    for (const results::RowHandle row : added) rowAdded(row);
  }
  return static_cast<int>(added.size());
}

}  // namespace quillon::capture
