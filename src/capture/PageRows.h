#pragma once

#include "parsers/Site.h"
#include "results/RowHandle.h"

#include <functional>
#include <string>
#include <string_view>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::capture {

// Hears each row a capture step adds, just after it went in (to start its e-mail searches).
using RowAddedFn = std::function<void(results::RowHandle row)>;

// Cuts a page text into listing blocks and adds every new listing to the table, as one
// capture step does: blocks without a name and listings already in the table (same
// telephone and name) add no row. Returns the number of rows added.
int addPageRows(parsers::Site site, std::u16string_view pageText, results::ResultsTable& table,
                const RowAddedFn& rowAdded = {});

}  // namespace quillon::capture
