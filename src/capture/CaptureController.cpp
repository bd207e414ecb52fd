#include "capture/CaptureController.h"

#include "capture/AutoMode.h"
#include "capture/BuiltInSiteMode.h"
#include "capture/CaptureError.h"
#include "capture/CaptureRun.h"
#include "capture/PageAnswer.h"
#include "capture/ProfileMode.h"
#include "capture/RowEmails.h"
#include "results/ResultsTable.h"
#include "text/Utf8.h"
#include "url/UrlResolution.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

namespace quillon::capture {

CaptureController::CaptureController(CaptureServices services) : m_services(std::move(services)) {}

void CaptureController::capture(parsers::Site site) {
  BuiltInSiteMode mode(site);
  capture(mode);
}

void CaptureController::captureAnySite() {
  AutoMode mode;
  capture(mode);
}

void CaptureController::captureWithProfile(const profiles::Profile& profile) {
  ProfileMode mode(profile);
  capture(mode);
}

void CaptureController::setRefusalWait(std::chrono::milliseconds wait) {
  m_refusalWait = std::clamp(wait, std::chrono::milliseconds(0),
                             std::chrono::milliseconds(kLongestRefusalWait));
}

void CaptureController::setClock(WaitClock& clock, PageRequests::Random random) {
  m_clock = &clock;
  m_random = std::move(random);
}

void CaptureController::stop() {
  m_stopFlag = true;
  m_services.display.setStopVisible(false);
  showIdle();
}

void CaptureController::showBusy() {
  RunDisplay& display = m_services.display;
  display.setBusy(true);
  display.progress().setPosition(display.progress().max());
}

void CaptureController::showIdle() {
  RunDisplay& display = m_services.display;
  display.setBusy(false);
  display.progress().setPosition(0);
}

void CaptureController::abortRun() {
  if (isRunning()) m_aborting = true;
  cancelEmailSearches();
}

void CaptureController::cancelEmailSearches() {
  for (Run* run : m_runs) {
    if (run->searches) run->searches->cancelAll();
  }
}

void CaptureController::addObserver(CaptureObserver& observer) { m_observers.push_back(&observer); }

void CaptureController::removeObserver(CaptureObserver& observer) {
  std::erase(m_observers, &observer);
}

// One run: the chain of capture steps, one per page, written as a loop so that a run of
// any length keeps a flat stack. The effects come in the order of nested steps; the idle
// state that every enclosing step would set again on its way out is set once, at the end.
void CaptureController::capture(RunMode& mode, const RunResumption& resumption) {
  if (m_stopFlag) {
    consumeStop();
    return;
  }
  AbortablePump pump(m_services.pump, m_aborting);
  ++m_activeSteps;
  struct ActiveStep {
    CaptureController& controller;
    ~ActiveStep() {
      if (--controller.m_activeSteps == 0) controller.m_aborting = false;
    }
  } active{*this};

  Run run(*this, mode, pump, resumption);
  pump.setSearches(run.searches.get());
  run.requestedAddress = text::utf16ToUtf8(m_services.browser.LocationURL());
  run.requests.requested();
  m_runs.push_back(&run);
  struct Registered {
    std::vector<Run*>& runs;
    ~Registered() { runs.pop_back(); }
  } registered{m_runs};
  try {
    notify([&](CaptureObserver& o) { o.runStarting(mode, run.requestedAddress); });
    for (int page = resumption.firstPage; readPage(run, page); ++page) {
    }
  } catch (const RunAborted&) {
    // The window is closing: end quietly in the idle state, keeping the rows.
    endWith(run, RunEnd::Kind::Stopped, "window closed");
  } catch (const std::exception& error) {
    failed(run, error.what());
    throw;
  } catch (...) {
    failed(run, "unknown error");
    throw;
  }
  notify([&](CaptureObserver& o) { o.runEnded(run.end); });
  leave();
}

// A page is done once its rows are in, its next page asked for (or the run ends with it) and
// its e-mail searches have reported, which they do while the next page loads: its rows,
// e-mails and next address are then complete, as a journal must have them together.
void CaptureController::finishPage(Run& run) {
  if (!run.pending) return;
  if (run.searches) run.searches->wait();
  const PageDone done = *std::exchange(run.pending, std::nullopt);
  notify([&](CaptureObserver& o) { o.pageDone(done); });
}

void CaptureController::failed(Run& run, const std::string& message) {
  // Every page before the one that failed is done and journalled. A page adds its rows all or
  // not at all; the e-mails of rows it did add still come before the failure is told.
  if (run.searches) run.searches->wait();
  run.pending.reset();
  notify([&](CaptureObserver& o) { o.runFailed(message); });
}

// One capture step; false when the run ends with it (how, in run.end). The page is done (and
// journalled) before its step ends, and only then reported as read.
bool CaptureController::readPage(Run& run, int page) {
  enterRun(run.mode);
  std::optional<PageReading> answered = readAnsweredPage(run, page);
  if (!answered) return false;
  PageReading& reading = *answered;
  const std::string& address = run.shownAddress;
  if (!reading.endReason.empty()) {
    endWith(run, RunEnd::Kind::Finished, reading.endReason);
    return false;
  }
  if (!reading.signature.empty()) {
    // A page seen before is not read again: a next link that leads back would loop.
    if (const auto earlier = run.signatures.find(reading.signature);
        earlier != run.signatures.end()) {
      endWith(run, RunEnd::Kind::Finished,
              "page " + std::to_string(page) + " repeats page " + std::to_string(earlier->second));
      return false;
    }
    run.signatures.emplace(reading.signature, page);
  }
  run.readAddresses.emplace(url::withoutFragment(address));

  notify([&](CaptureObserver& o) { o.pageStarting(page, address); });
  const int added = reading.addRows();
  run.pending = PageDone{page, address, reading.signature, {}};

  std::optional<PageTurn> turn;
  if (m_maxPages > 0 && page >= m_maxPages) {
    endWith(run, RunEnd::Kind::Finished, "page limit");
  } else {
    // The page's e-mail searches go on meanwhile; Stop cuts the wait short, and the page is
    // turned all the same.
    run.requests.waitForTurn(run.context.pump, [this] { return m_stopFlag; });
    turn = run.mode.turnPage(run.context);
    if (turn->followed) {
      run.requests.requested();
      run.requestedAddress = turn->address;
      run.pending->nextAddress = turn->address;
    } else {
      endWith(run, RunEnd::Kind::Finished, turn->endReason);
    }
  }
  // The next page loads meanwhile.
  finishPage(run);
  report(run.mode);
  notify([&](CaptureObserver& o) { o.pageCaptured(page, added, m_services.table.Count()); });
  if (!turn || !turn->followed) return false;
  notify([&](CaptureObserver& o) { o.linkFollowed(page, *turn); });
  if (m_stopFlag) {  // the next step's stop check
    consumeStop();
    endWith(run, RunEnd::Kind::Stopped, "Stop");
    return false;
  }
  return true;
}

void CaptureController::endWith(Run& run, RunEnd::Kind kind, std::string reason, int page) {
  run.end = RunEnd{kind, std::move(reason), page};
}

void CaptureController::consumeStop() {
  m_services.display.setStopVisible(false);
  showIdle();
  m_stopFlag = false;
}

void CaptureController::enterRun(const RunMode& mode) {
  m_services.display.setStopVisible(true);
  showBusy();
  switch (mode.captions()) {
    case results::CaptionSet::Spanish:
      m_services.table.TransEspanian();
      break;
    case results::CaptionSet::Italian:
      m_services.table.TransItalian();
      break;
    case results::CaptionSet::English:
      m_services.table.TransCanadian();
      break;
  }
}

void CaptureController::report(const RunMode& mode) {
  m_services.display.setCountText(std::to_string(m_services.table.Count()) +
                                  std::string(mode.countSuffix()));
}

void CaptureController::leave() {
  m_services.display.setStopVisible(false);
  showIdle();
}

}  // namespace quillon::capture
