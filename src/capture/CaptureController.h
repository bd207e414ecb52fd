#pragma once

#include "base/MessagePump.h"
#include "capture/Browser.h"
#include "capture/CaptureObserver.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/EmailSearches.h"
#include "capture/PageRequests.h"
#include "capture/RunDisplay.h"
#include "capture/RunMode.h"
#include "capture/WaitClock.h"
#include "parsers/Site.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::profiles {
struct Profile;
}

namespace quillon::capture {

// What a capture run works with; everything is owned by the window (or the CLI).
struct CaptureServices {
  Browser& browser;
  RunDisplay& display;
  results::ResultsTable& table;
  MessagePump& pump;
  const DownloadBusyFlag& downloadBusy;
  // Makes the e-mail searches of one run's rows, from the settings as they are when it
  // starts (none: no e-mail is looked for).
  std::function<std::unique_ptr<EmailSearches>()> makeEmailSearches = {};
  // A page fetched over HTTP (the detail pages of a summary page): its body or nothing.
  std::function<std::optional<std::string>(std::string_view url)> fetchPage = {};
};

// Where a resumed run picks up: the number of its next page and what the loop guard knew.
struct RunResumption {
  int firstPage = 1;
  std::map<std::string, int> signatures;  // signature -> the page that had it
  std::set<std::string> readAddresses;    // fragments removed
};

// Capture runs, the stop control, and the busy and idle states of the window. Every
// operation runs on the user-interface thread; waits dispatch messages, so any of them
// (Stop, another Capture click, table edits) may run inside a run, as in any event handler
// of the window.
class CaptureController {
 public:
  explicit CaptureController(CaptureServices services);

  // A run of one of the four built-in directories, of any site's schema.org listings, or
  // with a site profile. A run captures the page shown and every following result page,
  // until there is no next page, a page repeats an earlier one or stop() is called. A page
  // that the site refuses (HTTP 429 or 503) is asked for again after a wait, three requests
  // in all; a page that asks for a person ends the run, or makes it wait for
  // continueAfterCheck() or stop() when the run pauses for persons. Errors pass to the
  // caller with the display left busy, Stop shown.
  void capture(parsers::Site site);
  void captureAnySite();
  void captureWithProfile(const profiles::Profile& profile);
  // A run in the given mode; a resumed run goes on from where its journal left it.
  void capture(RunMode& mode, const RunResumption& resumption = {});

  // Requests the end of the run: the page in progress is finished and turned, and the
  // next page is not captured. The display goes idle at once.
  void stop();

  bool stopFlag() const { return m_stopFlag; }

  // The user has passed the check for a person in the page: the paused run reads the page
  // now shown and goes on. Nothing happens when no run waits.
  void continueAfterCheck();
  // True while a run waits for the user to pass a check.
  bool waitingForPerson() const { return m_waitingForPerson; }
  // True while a run is in progress (one or more capture steps active).
  bool isRunning() const { return m_activeSteps > 0; }

  // For the window closing in the middle of a run: every wait of the run ends at once
  // and the run unwinds to idle without capturing more (rows captured so far stay).
  void abortRun();
  // Ends the e-mail searches of the runs in progress at once; their rows keep an empty
  // e-mail. For the window closing.
  void cancelEmailSearches();

  // Headless options: a page that has not finished loading within the time-out is an
  // error (zero: wait as long as it takes); a run stops after maxPages pages of the run
  // (zero: no limit). Observers hear how each run goes; not owned.
  void setPageTimeout(std::chrono::milliseconds timeout) { m_pageTimeout = timeout; }
  void setMaxPages(int maxPages) { m_maxPages = maxPages; }
  // The least time between two result-page requests of a run (a random extra of up to half
  // of it is added); zero by default.
  void setPageDelay(std::chrono::milliseconds delay) { m_pageDelay = delay; }
  // The wait before a refused page is asked for again (the browser does not say what the
  // site asked for); 30 seconds by default, at most 120.
  void setRefusalWait(std::chrono::milliseconds wait);
  // Whether a run waits for the user on a check for a person (the window) instead of ending.
  void setPausesForPersons(bool pause) { m_pausesForPersons = pause; }
  // The clock of every wait, and the draw of the delay's extra; for tests.
  void setClock(WaitClock& clock, PageRequests::Random random = {});
  // Whether rows with a web address and no e-mail get the e-mail of that website.
  void setFindWebsiteEmails(bool find) { m_findWebsiteEmails = find; }
  bool findWebsiteEmails() const { return m_findWebsiteEmails; }
  void addObserver(CaptureObserver& observer);
  void removeObserver(CaptureObserver& observer);

 private:
  struct Run;
  void consumeStop();
  void enterRun(const RunMode& mode);
  void waitForPage(MessagePump& pump);
  bool readPage(Run& run, int page);
  // The page shown once the site lets it be read, or nothing when the run ends on it.
  std::optional<PageReading> readAnsweredPage(Run& run, int page);
  bool askAgain(Run& run, int page, int status);
  bool pauseForPerson(Run& run, int page, const std::string& recognised);
  void endWith(Run& run, RunEnd::Kind kind, std::string reason, int page = 0);
  void finishPage(Run& run);
  void failed(Run& run, const std::string& message);
  void report(const RunMode& mode);
  void leave();
  void showBusy();
  void showIdle();
  template <class Event>
  void notify(Event event);

  CaptureServices m_services;
  bool m_stopFlag = false;
  bool m_aborting = false;
  int m_activeSteps = 0;
  std::chrono::milliseconds m_pageTimeout{0};
  int m_maxPages = 0;
  bool m_findWebsiteEmails = false;
  std::chrono::milliseconds m_pageDelay{0};
  std::chrono::milliseconds m_refusalWait{std::chrono::seconds(30)};
  bool m_pausesForPersons = false;
  bool m_waitingForPerson = false;
  bool m_continueFlag = false;
  SteadyWaitClock m_steadyClock;
  WaitClock* m_clock = &m_steadyClock;
  PageRequests::Random m_random;
  std::vector<CaptureObserver*> m_observers;
  std::vector<Run*> m_runs;  // in progress, the innermost last
};

}  // namespace quillon::capture
