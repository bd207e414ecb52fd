#pragma once

#include "base/MessagePump.h"
#include "capture/Browser.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/WindowSurface.h"
#include "parsers/Site.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::capture {

// Hears how a capture run goes (the command line prints it; the window needs none).
struct CaptureSite;

class CaptureObserver {
 public:
  virtual ~CaptureObserver() = default;
  // A page was read: its number in the run (from 1), the rows it added, the table's count.
  virtual void pageCaptured(int /*page*/, int /*rowsAdded*/, int /*rowCount*/) {}
  // The run asked the browser to follow the next-page link text.
  virtual void linkFollowed(int /*page*/, std::string_view /*linkText*/) {}
};

// What a capture run works with; everything is owned by the window (or the CLI).
struct CaptureServices {
  Browser& browser;
  WindowSurface& window;
  results::ResultsTable& table;
  MessagePump& pump;
  const DownloadBusyFlag& downloadBusy;
  // The Italian e-mail lookup: the e-mail found on the page at the address (cp1252).
  std::function<std::string(std::string_view url)> lookupEmail;
};

// Capture runs of the four directories, the stop control, and the busy and idle states
// of the window. Every operation runs on the user-interface thread; waits dispatch
// messages, so any of them (Stop, another Capture click, table edits) may run inside
// a run, as in any event handler of the window.
class CaptureController {
 public:
  explicit CaptureController(CaptureServices services);

  // The Capture buttons: Spanish, Italian, Australian and Canadian runs. A run captures
  // the page shown and every following result page, until no next-page link is found
  // or Stop is pressed. Errors pass to the caller with the window left busy, Stop shown.
  void btncomerClick();
  void btnItaliaClick();
  void btnAustraliaClick();
  void btncanadaClick();
  void capture(parsers::Site site);

  // Requests the end of the run: the page in progress is finished and turned, and the
  // next page is not captured.
  void btnStopClick();

  void disableAllButtons();
  void enableAllButtons();

  bool stopFlag() const { return m_stopFlag; }
  // True while a run is in progress (one or more capture steps active).
  bool isRunning() const { return m_activeSteps > 0; }

  // For the window closing in the middle of a run: every wait of the run ends at once
  // and the run unwinds to idle without capturing more (rows captured so far stay).
  void abortRun();

  // Headless options: a page that has not finished loading within the time-out is an
  // error (zero: wait as long as it takes); a run stops after maxPages pages (zero: no
  // limit); the observer hears each page.
  void setPageTimeout(std::chrono::milliseconds timeout) { m_pageTimeout = timeout; }
  void setMaxPages(int maxPages) { m_maxPages = maxPages; }
  void setObserver(CaptureObserver* observer) { m_observer = observer; }

 private:
  void consumeStop();
  void enterRun(const CaptureSite& setup);
  void waitForPage(MessagePump& pump);
  int readPage(parsers::Site site, const CaptureSite& setup);
  void report(const CaptureSite& setup);
  bool turnPage(const CaptureSite& setup, int page);
  void leave();

  CaptureServices m_services;
  bool m_stopFlag = false;
  bool m_aborting = false;
  int m_activeSteps = 0;
  std::chrono::milliseconds m_pageTimeout{0};
  int m_maxPages = 0;
  CaptureObserver* m_observer = nullptr;
};

}  // namespace quillon::capture
