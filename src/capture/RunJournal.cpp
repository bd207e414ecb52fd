#include "capture/RunJournal.h"

#include "journal/Journal.h"
#include "journal/JournalError.h"
#include "url/UrlResolution.h"

#include <utility>

namespace quillon::capture {

RunJournal::RunJournal(journal::Journal& journal, std::function<void(const std::string&)> onFailure,
                       bool startsRuns)
    : m_journal(journal), m_onFailure(std::move(onFailure)), m_startsRuns(startsRuns) {}

template <class Write>
void RunJournal::write(Write write) {
  if (m_failed) return;
  if (m_journal.active()) {
    try {
      write();
      if (m_journal.active()) return;
    } catch (const journal::JournalError&) {
    }
  }
  // The table's own changes cannot raise; a failure among them shows here too.
  m_failed = true;
  if (m_onFailure) {
    m_onFailure(m_journal.failure() ? m_journal.failure()->what()
                                    : "the journal " + m_journal.path() + " is closed");
  }
}

void RunJournal::runStarting(const RunMode& mode, std::string_view address) {
  if (!m_startsRuns) return;
  write([&] { m_journal.startRun({mode.code(), std::string(address), mode.journalledOptions()}); });
}

void RunJournal::pageStarting(int, std::string_view) {
  write([&] { m_journal.beginPage(); });
}

void RunJournal::pageDone(const PageDone& done) {
  write([&] { m_journal.commitPage({done.page, done.address, done.signature, done.nextAddress}); });
}

void RunJournal::personCheck(int, const std::string&, std::string_view address) {
  // A crash while the user passes the check goes on at this page.
  write([&] { m_journal.setNextAddress(address); });
}

void RunJournal::runEnded(const RunEnd& end) {
  if (end.readToItsEnd()) {
    write([&] { m_journal.endRun(end.reason); });
  } else {
    // The page the run ended on is still to read: the run stays open there.
    write([&] { m_journal.commitChanges(); });
  }
}

void RunJournal::runFailed(const std::string&) {
  // What the failed page added stays in the table; the page counts as unread.
  write([&] { m_journal.commitChanges(); });
}

RunResumption resumptionOf(const journal::RunRecord& run) {
  RunResumption resumption;
  for (const journal::PageRecord& page : run.pages) {
    resumption.firstPage = std::max(resumption.firstPage, page.number + 1);
    if (!page.signature.empty()) resumption.signatures.emplace(page.signature, page.number);
    resumption.readAddresses.emplace(url::withoutFragment(page.address));
  }
  return resumption;
}

}  // namespace quillon::capture
