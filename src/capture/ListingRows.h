#pragma once

#include "results/RowHandle.h"
#include "structured/Listing.h"

#include <functional>
#include <vector>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::capture {

// Adds schema.org listings to the table as a capture step adds a site's listings: a listing
// without a name, or whose telephone and name are in the table already, adds no row. The
// ten values enter the table's 8-bit text (best fit, "?" where there is none). Returns the
// number of rows added.
int addListingRows(const std::vector<structured::Listing>& listings, results::ResultsTable& table,
                   const std::function<void(results::RowHandle)>& rowAdded = {});

}  // namespace quillon::capture
