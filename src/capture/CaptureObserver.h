#pragma once

#include "capture/RunEnd.h"
#include "capture/RunMode.h"

#include <chrono>
#include <string>
#include <string_view>

namespace quillon::capture {

// A page that a run has finished: its rows are in the table and the next page, if any,
// asked for. Addresses are UTF-8.
struct PageDone {
  int page = 0;  // in the run, from 1
  std::string address;
  std::string signature;
  std::string nextAddress;  // empty when the run ends with this page
};

// Hears how a capture run goes: the command line prints it, the journal records it, the
// window shows why a run ended.
class CaptureObserver {
 public:
  virtual ~CaptureObserver() = default;
  // A run begins at the page shown (not told for a run resumed from its journal).
  virtual void runStarting(const RunMode& /*mode*/, std::string_view /*address*/) {}
  // A complete page that is no repeat: its rows are about to be added.
  virtual void pageStarting(int /*page*/, std::string_view /*address*/) {}
  // A page was read: its number in the run (from 1), the rows it added, the table's count.
  virtual void pageCaptured(int /*page*/, int /*rowsAdded*/, int /*rowCount*/) {}
  // The run asked the browser for the next page.
  virtual void linkFollowed(int /*page*/, const PageTurn& /*turn*/) {}
  virtual void pageDone(const PageDone& /*done*/) {}
  // Something worth knowing about a page, said once per run.
  virtual void warning(const std::string& /*text*/) {}
  // The site refused the page shown (HTTP 429 or 503): the run asks for it again after the
  // wait.
  virtual void pageRefused(int /*page*/, int /*status*/, std::chrono::milliseconds /*wait*/) {}
  // The page shown asks to prove that a person is there, and the run waits for Continue or
  // Stop; `address` is the one the run asked for, where a resumed run would go on.
  virtual void personCheck(int /*page*/, const std::string& /*recognised*/,
                           std::string_view /*address*/) {}
  // The run ended without an error: why ("no next page", "page limit", "Stop", "next page
  // already read", "page 4 repeats page 3", "window closed", "the site refused page 2 (HTTP
  // 429)", "page 2 asks to prove that a person is there (…)") and what kind of end it is.
  virtual void runEnded(const RunEnd& /*end*/) {}
  // The run failed; the error passes on to the caller after this.
  virtual void runFailed(const std::string& /*message*/) {}
};

}  // namespace quillon::capture
