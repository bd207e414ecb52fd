#pragma once

#include "cli/CaptureOptions.h"
#include "cli/Command.h"

namespace quillon::journal {
class Journal;
}
namespace quillon::results {
class ResultsTable;
}

namespace quillon::cli {

// Reads the list of searches of the options, one after another into one table, with a new
// journal when --journal is given, and writes the table. Returns the exit status: 1 when a
// search failed or the table could not be written.
int runBatchCapture(CaptureOptions& options, CommandContext& context);

// Goes on with the batch that the journal of --resume holds: its rows come back into the
// fresh table, and the first search not read to its end goes on at its first unread page.
int resumeBatchCapture(CaptureOptions& options, journal::Journal& journal,
                       results::ResultsTable& table, CommandContext& context);

}  // namespace quillon::cli
