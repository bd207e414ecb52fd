#pragma once

#include "journal/Journal.h"
#include "journal/JournalError.h"

#include <functional>
#include <string>
#include <utility>

namespace quillon::journal {

// The writes of an observer that keeps something in a journal (a run, a batch): the first
// one that fails, or finds the journal closed, is told to onFailure once, in words, and no
// later one is tried, so that the work goes on without its journal.
class JournalWrites {
 public:
  JournalWrites(Journal& journal, std::function<void(const std::string&)> onFailure)
      : m_journal(journal), m_onFailure(std::move(onFailure)) {}

  template <class Write>
  void operator()(Write write) {
    if (m_failed) return;
    if (m_journal.active()) {
      try {
        write();
        if (m_journal.active()) return;
      } catch (const JournalError&) {
      }
    }
    // The table's own changes cannot raise; a failure among them shows here too.
    m_failed = true;
    if (m_onFailure) {
      m_onFailure(m_journal.failure() ? m_journal.failure()->what()
                                      : "the journal " + m_journal.path() + " is closed");
    }
  }

 private:
  Journal& m_journal;
  std::function<void(const std::string&)> m_onFailure;
  bool m_failed = false;
};

}  // namespace quillon::journal
