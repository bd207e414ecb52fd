#pragma once

#include "batch/BatchObserver.h"
#include "journal/JournalWrites.h"

#include <functional>
#include <string>

namespace quillon::batch {

// Writes a batch into a journal whose batch was started (Journal::startBatch): each search's
// start (its run, under which the run's journal puts the pages) and its end, so that a
// resumed batch goes on with the first search not read to its end. A batch whose searches
// are all settled is ended. A journal that fails stops; the batch goes on without it and
// onFailure hears why, once.
class BatchJournal final : public BatchObserver {
 public:
  BatchJournal(journal::Journal& journal, std::function<void(const std::string&)> onFailure);

  void searchStarting(const journal::SearchRecord& search, int listSize) override;
  void searchEnded(const journal::SearchRecord& search) override;
  void batchEnded(const journal::BatchRecord& batch) override;

 private:
  journal::Journal& m_journal;
  journal::JournalWrites m_write;
};

}  // namespace quillon::batch
