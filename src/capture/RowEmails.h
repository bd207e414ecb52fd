#pragma once

#include "results/RowHandle.h"

namespace quillon::results {
class ResultsTable;
}

namespace quillon::capture {

class EmailSearches;

// Which e-mail searches the rows of a run get.
struct EmailRule {
  // The row's web address (column 8) is the directory's listing page: the e-mail found there
  // is appended to a row that ends before column 9, empty or not (the Italian lookup).
  bool listingPageLookup = false;
  // A row with a web address and no e-mail of its own gets the e-mail found on that website
  // in column 9 (opt-in).
  bool websiteSearch = false;
  // Where the run's rows carry an e-mail of their own (-1: nowhere).
  int emailColumn = 9;
};

// Starts the searches the rule gives a row just added; each result goes into the row when
// it comes, or is dropped when the row has gone meanwhile. Both must outlive the searches.
void startEmailSearches(results::ResultsTable& table, EmailSearches& searches,
                        results::RowHandle row, const EmailRule& rule);

}  // namespace quillon::capture
