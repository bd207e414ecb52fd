#pragma once

#include "capture/CaptureController.h"
#include "capture/CaptureObserver.h"
#include "journal/JournalWrites.h"
#include "journal/RunRecord.h"

#include <functional>
#include <string>

namespace quillon::capture {

// Writes a capture run into a journal: each page's rows, e-mails and position go in one
// transaction when the page is done, so that a kill loses at most the page in progress. A
// run that was not read to its end (a refused page, a check for a person, a failure) stays
// open at that page, and so does a run that waits for a person, while it waits. A journal
// that fails stops; the run goes on without it and onFailure hears why, once.
class RunJournal final : public CaptureObserver {
 public:
  // With startsRuns, each run the controller begins gets a record of its own (the window);
  // without, the owner has begun the run's record (the command line).
  RunJournal(journal::Journal& journal, std::function<void(const std::string&)> onFailure,
             bool startsRuns = false);

  void runStarting(const RunMode& mode, std::string_view address) override;
  void pageStarting(int page, std::string_view address) override;
  void pageDone(const PageDone& done) override;
  void personCheck(int page, const std::string& recognised, std::string_view address) override;
  void runEnded(const RunEnd& end) override;
  void runFailed(const std::string& message) override;

 private:
  journal::Journal& m_journal;
  journal::JournalWrites m_write;
  bool m_startsRuns;
};

// Where a run that its journal left unfinished goes on: the page after the last one read,
// with what the loop guard knew.
RunResumption resumptionOf(const journal::RunRecord& run);

}  // namespace quillon::capture
