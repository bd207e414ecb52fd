#pragma once

#include "journal/BatchRecord.h"
#include "journal/RunRecord.h"

#include <optional>
#include <string>

namespace quillon::journal {

// What a journal holds, in brief.
struct JournalSummary {
  std::string path;
  int rows = 0;        // the rows a restore gives
  bool saved = false;  // saved after its last change
  int runs = 0;
  std::optional<RunRecord> lastRun;
  std::optional<BatchRecord> lastBatch;
};

// Reads a journal without changing it (an empty file stays empty, a missing one is not
// made). Throws JournalError, also when the journal is in use.
JournalSummary summarizeJournal(const std::string& path);

// The summary as lines of text for a person: the file, the rows, the last run's site,
// start, pages read and whether it ended; for a batch, its site and each search instead.
std::string summaryText(const JournalSummary& summary);

}  // namespace quillon::journal
