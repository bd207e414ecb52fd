#pragma once

#include "results/RowFileReader.h"

#include <vector>

namespace quillon::results {

class ResultsTable;

// Adds the rows, in their order, that the table's duplicate rule lets in (a row with the
// telephone and the name of one already in the table stays out, so the first one read is
// kept); returns how many went in.
int mergeRows(ResultsTable& table, const std::vector<RowTexts>& rows);

}  // namespace quillon::results
