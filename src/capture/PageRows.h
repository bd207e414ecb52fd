#pragma once

#include "parsers/Site.h"

#include <functional>
#include <string>
#include <string_view>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::capture {

// The Italian e-mail lookup: the e-mail address on the page at a cp1252 address.
using EmailLookupFn = std::function<std::string(std::string_view url)>;

// Cuts a page text into listing blocks and adds every new listing to the table, as one
// capture step does: blocks without a name and listings already in the table (same
// telephone and name) add no row. When lookupEmail is given, each added row with a web
// address gets the e-mail found on that page as its tenth column, unless the row was
// deleted while the lookup ran. Returns the number of rows added.
int addPageRows(parsers::Site site, std::u16string_view pageText, results::ResultsTable& table,
                const EmailLookupFn& lookupEmail = {});

}  // namespace quillon::capture
