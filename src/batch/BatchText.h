#pragma once

#include "journal/BatchRecord.h"

#include <cstdint>
#include <string>

// The words in which a batch tells how it goes, the same on the command line and in the
// window.
namespace quillon::batch {

// A count with a comma between each group of three digits: "1,912".
std::string withThousands(std::int64_t count);

// "search 3 of 40: ADDRESS"
std::string searchStartText(const journal::SearchRecord& search, int listSize);
// "search 3: 57 rows, stopped: no next page", "search 4: 0 rows, failed: WHY", or for a
// search left for later "search 5: 12 rows, interrupted: Stop".
std::string searchEndText(const journal::SearchRecord& search);
// "40 searches: 38 read to their end, 2 failed; 1,912 rows", with ", N left to read" before
// the rows when the batch stopped early.
std::string summaryText(const journal::BatchRecord& batch, int rowCount);

// True when a search of the batch failed: the command line then ends with status 1.
bool anySearchFailed(const journal::BatchRecord& batch);

}  // namespace quillon::batch
