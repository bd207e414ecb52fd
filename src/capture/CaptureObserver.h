#pragma once

#include "capture/RunMode.h"

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
  // A complete page that is no repeat: its rows are about to be added.
  virtual void pageStarting(int /*page*/, std::string_view /*address*/) {}
  // A page was read: its number in the run (from 1), the rows it added, the table's count.
  virtual void pageCaptured(int /*page*/, int /*rowsAdded*/, int /*rowCount*/) {}
  // The run asked the browser for the next page.
  virtual void linkFollowed(int /*page*/, const PageTurn& /*turn*/) {}
  virtual void pageDone(const PageDone& /*done*/) {}
  // Something worth knowing about a page, said once per run.
  virtual void warning(const std::string& /*text*/) {}
  // The run ended without an error: why ("no next page", "page limit", "Stop", "next page
  // already read", "page 4 repeats page 3", "window closed").
  virtual void runEnded(const std::string& /*reason*/) {}
  // The run failed; the error passes on to the caller after this.
  virtual void runFailed(const std::string& /*message*/) {}
};

}  // namespace quillon::capture
