#pragma once

#include "capture/CaptureController.h"
#include "cli/CaptureOptions.h"

#include <QUrl>

#include <iosfwd>

namespace quillon::results {
class ResultsTable;
}
namespace quillon::journal {
class Journal;
}

namespace quillon::cli {

// Runs a capture in an offscreen browser, from the page at url, with progress, warnings and
// the end reason on err; Ctrl+C acts as Stop. A journal, when given, records every page;
// a resumed run goes on as the resumption says. Any error is reported and ends the run,
// keeping its rows. Returns how the run ended (an error: RunEnd::Kind::Failed).
capture::RunEnd captureHeadless(const CaptureOptions& options, const QUrl& url,
                                results::ResultsTable& table, journal::Journal* journal,
                                const capture::RunResumption& resumption, std::ostream& err);

}  // namespace quillon::cli
