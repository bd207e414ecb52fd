#pragma once

#include "batch/BatchObserver.h"
#include "capture/RunMode.h"
#include "journal/BatchRecord.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillon::capture {
class CaptureController;
class RunOutcome;
}  // namespace quillon::capture
namespace quillon::results {
class ResultsTable;
}

namespace quillon::batch {

// What a batch works with; owned by the window (or the command line).
struct BatchServices {
  capture::CaptureController& controller;
  const results::ResultsTable& table;
  // Loads the address in the controller's browser and waits until it is complete; why it
  // did not load (an error page, a time-out), or nothing.
  std::function<std::optional<std::string>(const std::string& address)> loadPage;
  // A fresh run mode for each search (one object serves one run).
  std::function<std::unique_ptr<capture::RunMode>()> makeMode;
};

// Reads a list of searches one after another through the capture controller, into its one
// table, so that the duplicate rule runs across all of them. A search whose first page does
// not load, or whose run fails, is settled as failed with its reason, and the batch goes
// on. Each search is heard through the controller's observer interface; its end is told
// (to the journal among others) before the next one starts.
class BatchRunner {
 public:
  explicit BatchRunner(BatchServices services);

  // Observers are not owned; remove one before it goes.
  void addObserver(BatchObserver& observer);
  void removeObserver(BatchObserver& observer);

  // Reads every search of the batch that is not settled, in order, updating the record.
  // An unfinished search goes on at the page after its last one read, with what its loop
  // guard knew. Returns once every search is settled or stop() was called.
  void run(journal::BatchRecord& batch);

  // Ends the batch: the search in progress ends as Stop ends a run, and stays unfinished
  // (unless its last page was read); no other search starts.
  void stop();
  bool isRunning() const { return m_running; }
  // True when the last run() ended by stop().
  bool stopped() const { return m_stopRequested; }
  // True when the last run() ended because the site refused a page or asked for a person:
  // that search is unfinished, and a resumed batch goes on at its page.
  bool cutOffBySite() const { return m_cutOffBySite; }

 private:
  void runSearch(journal::SearchRecord& search, int listSize);
  void capture(const std::string& address, const journal::SearchRecord& search,
               capture::RunOutcome& outcome);
  void settle(journal::SearchRecord& search, const capture::RunOutcome& outcome);
  template <class Event>
  void notify(Event event);

  BatchServices m_services;
  std::vector<BatchObserver*> m_observers;
  bool m_running = false;
  bool m_stopRequested = false;
  bool m_cutOffBySite = false;
};

}  // namespace quillon::batch
