#include "capture/RunJournal.h"

#include "journal/Journal.h"
#include "url/UrlResolution.h"

#include <utility>

namespace quillon::capture {

RunJournal::RunJournal(journal::Journal& journal, std::function<void(const std::string&)> onFailure,
                       bool startsRuns)
    : m_journal(journal), m_write(journal, std::move(onFailure)), m_startsRuns(startsRuns) {}

void RunJournal::runStarting(const RunMode& mode, std::string_view address) {
  if (!m_startsRuns) return;
  m_write([&] {
    m_journal.startRun({mode.code(), std::string(address), mode.journalledOptions()});
  });
}

void RunJournal::pageStarting(int, std::string_view) {
  m_write([&] { m_journal.beginPage(); });
}

void RunJournal::pageDone(const PageDone& done) {
  m_write([&] {
    m_journal.commitPage({done.page, done.address, done.signature, done.nextAddress});
  });
}

void RunJournal::personCheck(int, const std::string&, std::string_view address) {
  // A crash while the user passes the check goes on at this page.
  m_write([&] { m_journal.setNextAddress(address); });
}

void RunJournal::runEnded(const RunEnd& end) {
  if (end.readToItsEnd()) {
    m_write([&] { m_journal.endRun(end.reason); });
  } else {
    // The page the run ended on is still to read: the run stays open there.
    m_write([&] { m_journal.commitChanges(); });
  }
}

void RunJournal::runFailed(const std::string&) {
  // What the failed page added stays in the table; the page counts as unread.
  m_write([&] { m_journal.commitChanges(); });
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
