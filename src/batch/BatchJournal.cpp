#include "batch/BatchJournal.h"

#include "journal/Journal.h"
#include "journal/JournalError.h"

#include <algorithm>
#include <utility>

namespace quillon::batch {

BatchJournal::BatchJournal(journal::Journal& journal,
                           std::function<void(const std::string&)> onFailure)
    : m_journal(journal), m_onFailure(std::move(onFailure)) {}

template <class Write>
void BatchJournal::write(Write write) {
  if (m_failed) return;
  if (m_journal.active()) {
    try {
      write();
      if (m_journal.active()) return;
    } catch (const journal::JournalError&) {
    }
  }
  m_failed = true;
  if (m_onFailure) {
    m_onFailure(m_journal.failure() ? m_journal.failure()->what()
                                    : "the journal " + m_journal.path() + " is closed");
  }
}

void BatchJournal::searchStarting(const journal::SearchRecord& search, int) {
  write([&] { m_journal.startSearch(search.position, search.rowsBefore); });
}

void BatchJournal::searchEnded(const journal::SearchRecord& search) {
  write([&] { m_journal.endSearch(search); });
}

void BatchJournal::batchEnded(const journal::BatchRecord& batch) {
  const bool allSettled = std::all_of(batch.searches.begin(), batch.searches.end(),
                                      [](const auto& search) { return search.settled(); });
  if (allSettled) write([&] { m_journal.endBatch(); });
}

}  // namespace quillon::batch
