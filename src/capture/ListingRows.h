#pragma once

#include "results/RowHandle.h"
#include "structured/Listing.h"

#include <functional>
#include <vector>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::capture {

// Adds listings read from a page's structured data or by a profile to the table as a capture
// step adds a site's listings: a listing without a name, or whose telephone and name are in
// the table already, adds no row. The values enter as the page wrote them (UTF-8). A listing
// for which leavesEmailOut holds goes in without its e-mail column (a lookup appends it).
// Returns the number of rows added.
int addListingRows(const std::vector<structured::Listing>& listings, results::ResultsTable& table,
                   const std::function<void(results::RowHandle)>& rowAdded = {},
                   const std::function<bool(const structured::Listing&)>& leavesEmailOut = {});

}  // namespace quillon::capture
