#pragma once

#include "base/MessagePump.h"
#include "capture/Browser.h"
#include "capture/CaptureObserver.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/EmailSearches.h"
#include "capture/RunDisplay.h"
#include "capture/RunMode.h"
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
  // until there is no next page, a page repeats an earlier one or stop() is called. Errors
  // pass to the caller with the display left busy, Stop shown.
  void capture(parsers::Site site);
  void captureAnySite();
  void captureWithProfile(const profiles::Profile& profile);
  // A run in the given mode; a resumed run goes on from where its journal left it.
  void capture(RunMode& mode, const RunResumption& resumption = {});

  // Requests the end of the run: the page in progress is finished and turned, and the
  // next page is not captured. The display goes idle at once.
  void stop();

  bool stopFlag() const { return m_stopFlag; }
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
  std::vector<CaptureObserver*> m_observers;
  std::vector<Run*> m_runs;  // in progress, the innermost last
};

}  // namespace quillon::capture
