#include "batch/BatchJournal.h"

#include "journal/Journal.h"

#include <algorithm>
#include <utility>

namespace quillon::batch {

BatchJournal::BatchJournal(journal::Journal& journal,
                           std::function<void(const std::string&)> onFailure)
    : m_journal(journal), m_write(journal, std::move(onFailure)) {}

void BatchJournal::searchStarting(const journal::SearchRecord& search, int) {
  m_write([&] { m_journal.startSearch(search.position, search.rowsBefore); });
}

void BatchJournal::searchEnded(const journal::SearchRecord& search) {
  m_write([&] { m_journal.endSearch(search); });
}

void BatchJournal::batchEnded(const journal::BatchRecord& batch) {
  const bool allSettled = std::all_of(batch.searches.begin(), batch.searches.end(),
                                      [](const auto& search) { return search.settled(); });
  if (allSettled) m_write([&] { m_journal.endBatch(); });
}

}  // namespace quillon::batch
