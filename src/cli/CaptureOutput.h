#pragma once

#include "cli/CaptureOptions.h"
#include "cli/Command.h"

namespace quillon::results {
class ResultsTable;
}

namespace quillon::cli {

// Writes the table where the capture options say (--output, else JSON on standard output);
// false after saying why it could not.
bool writeRows(const results::ResultsTable& table, const CaptureOptions& options,
               CommandContext& context);

}  // namespace quillon::cli
