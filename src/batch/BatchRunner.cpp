#include "batch/BatchRunner.h"

#include "capture/CaptureController.h"
#include "capture/RunJournal.h"
#include "capture/RunOutcome.h"
#include "results/ResultsTable.h"

#include <algorithm>
#include <exception>

namespace quillon::batch {
namespace {

using journal::SearchRecord;
using journal::SearchState;

// Said for a search that had read its last page when the batch was cut off, before its end
// was written.
constexpr const char* kLastPageRead = "its last page was read before the interruption";

}  // namespace

BatchRunner::BatchRunner(BatchServices services) : m_services(std::move(services)) {}

void BatchRunner::addObserver(BatchObserver& observer) { m_observers.push_back(&observer); }

void BatchRunner::removeObserver(BatchObserver& observer) { std::erase(m_observers, &observer); }

template <class Event>
void BatchRunner::notify(Event event) {
  const auto observers = m_observers;  // one may leave while it is told
  for (BatchObserver* observer : observers) event(*observer);
}

void BatchRunner::stop() {
  m_stopRequested = true;
  // Between two searches there is no run to stop, and a stop left for the controller
  // would swallow the window's next Capture click.
  if (m_services.controller.isRunning()) m_services.controller.stop();
}

void BatchRunner::run(journal::BatchRecord& batch) {
  m_running = true;
  m_stopRequested = false;
  m_cutOffBySite = false;
  struct Running {
    bool& running;
    ~Running() { running = false; }
  } running{m_running};
  for (SearchRecord& search : batch.searches) {
    if (m_stopRequested || m_cutOffBySite) break;
    if (!search.settled()) runSearch(search, batch.start.listSize);
  }
  notify([&](BatchObserver& o) { o.batchEnded(batch); });
}

void BatchRunner::runSearch(SearchRecord& search, int listSize) {
  if (search.state == SearchState::Waiting) search.rowsBefore = m_services.table.Count();
  search.state = SearchState::Unfinished;
  notify([&](BatchObserver& o) { o.searchStarting(search, listSize); });

  capture::RunOutcome outcome;
  if (search.pages.empty()) {
    capture(search.address, search, outcome);
  } else if (const std::string& next = search.pages.back().nextAddress; !next.empty()) {
    capture(next, search, outcome);
  } else {
    outcome.endWithout(kLastPageRead);
  }
  settle(search, outcome);
  search.rows = m_services.table.Count() - search.rowsBefore;
  notify([&](BatchObserver& o) { o.searchEnded(search); });
}

void BatchRunner::capture(const std::string& address, const SearchRecord& search,
                          capture::RunOutcome& outcome) {
  if (const auto failure = m_services.loadPage(address)) {
    outcome.fail(*failure);
    return;
  }
  if (m_stopRequested) return;
  journal::RunRecord before;
  before.pages = search.pages;
  const capture::RunResumption resumption = capture::resumptionOf(before);
  capture::CaptureController& controller = m_services.controller;
  controller.addObserver(outcome);
  try {
    const std::unique_ptr<capture::RunMode> mode = m_services.makeMode();
    controller.capture(*mode, resumption);
  } catch (const std::exception& error) {
    outcome.fail(error.what());
  } catch (...) {
    outcome.fail("unknown error");
  }
  controller.removeObserver(outcome);
}

// Whether a search was read to its end is the run outcome's to say; a search cut off by
// stop() with pages left is read on by a resumed batch, and so is one that the site refused
// or checked for a person, which also ends the batch: the next search would meet the same.
void BatchRunner::settle(SearchRecord& search, const capture::RunOutcome& outcome) {
  if (outcome.failed()) {
    search.state = SearchState::Failed;
  } else if (outcome.cutOffBySite()) {
    search.state = SearchState::Unfinished;
    m_cutOffBySite = true;
  } else if (m_stopRequested && (!outcome.ended() || outcome.morePages())) {
    search.state = SearchState::Unfinished;
  } else {
    search.state = SearchState::ReadToItsEnd;
  }
  search.reason = outcome.reason().empty() ? "Stop" : outcome.reason();
}

}  // namespace quillon::batch
