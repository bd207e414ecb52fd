#include "capture/CaptureController.h"

#include "capture/CaptureError.h"
#include "capture/CaptureSite.h"
#include "capture/PageRows.h"
#include "capture/PageTurning.h"
#include "capture/PageWalker.h"
#include "results/ResultsTable.h"
#include "text/Cp1252.h"

#include <string>
#include <utility>

namespace quillon::capture {
namespace {

// Thrown by the waits of a run that the window aborts; the run catches it and unwinds.
struct RunAborted {};

// The pump of a run's own waits: it dispatches as usual and ends the wait once the run
// is aborted.
class AbortablePump final : public MessagePump {
 public:
  AbortablePump(MessagePump& pump, const bool& aborting) : m_pump(pump), m_aborting(aborting) {}
  void processPendingMessages() override {
    if (m_aborting) throw RunAborted{};
    m_pump.processPendingMessages();
    if (m_aborting) throw RunAborted{};
  }

 private:
  MessagePump& m_pump;
  const bool& m_aborting;
};

}  // namespace

CaptureController::CaptureController(CaptureServices services) : m_services(std::move(services)) {}

void CaptureController::btncomerClick() { capture(parsers::Site::ES); }
void CaptureController::btnItaliaClick() { capture(parsers::Site::IT); }
void CaptureController::btnAustraliaClick() { capture(parsers::Site::AU); }
void CaptureController::btncanadaClick() { capture(parsers::Site::CA); }

void CaptureController::btnStopClick() {
  m_stopFlag = true;
  m_services.window.setStopVisible(false);
  enableAllButtons();
}

void CaptureController::disableAllButtons() {
  WindowSurface& window = m_services.window;
  window.setBusy(true);
  window.progress().setPosition(window.progress().max());
}

void CaptureController::enableAllButtons() {
  WindowSurface& window = m_services.window;
  window.setBusy(false);
  window.progress().setPosition(0);
}

void CaptureController::abortRun() {
  if (isRunning()) m_aborting = true;
}

// One run: the chain of capture steps, one per page, written as a loop so that a run of
// any length keeps a flat stack. The effects come in the order of nested steps; the idle
// state that every enclosing step would set again on its way out is set once, at the end.
void CaptureController::capture(parsers::Site site) {
  if (m_stopFlag) {
    consumeStop();
    return;
  }
  const CaptureSite& setup = captureSite(site);
  AbortablePump pump(m_services.pump, m_aborting);
  ++m_activeSteps;
  struct ActiveStep {
    CaptureController& controller;
    ~ActiveStep() {
      if (--controller.m_activeSteps == 0) controller.m_aborting = false;
    }
  } active{*this};

  try {
    for (int page = 1;; ++page) {
      enterRun(setup);
      waitForPage(pump);
      if (setup.phoneReveal) {
        TogglePhones(m_services.browser, m_services.downloadBusy, m_services.window.progress(),
                     pump);
      }
      const int added = readPage(site, setup);
      report(setup);
      if (m_observer) m_observer->pageCaptured(page, added, m_services.table.Count());
      if (m_maxPages > 0 && page >= m_maxPages) break;
      if (!turnPage(setup, page)) break;
      if (m_stopFlag) {  // the next step's stop check
        consumeStop();
        break;
      }
    }
  } catch (const RunAborted&) {
    // The window is closing: end quietly in the idle state, keeping the rows.
  }
  leave();
}

void CaptureController::consumeStop() {
  m_services.window.setStopVisible(false);
  enableAllButtons();
  m_stopFlag = false;
}

void CaptureController::enterRun(const CaptureSite& setup) {
  m_services.window.setStopVisible(true);
  disableAllButtons();
  switch (setup.captions) {
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

void CaptureController::waitForPage(MessagePump& pump) {
  const auto start = std::chrono::steady_clock::now();
  while (m_services.browser.ReadyState() != Browser::kReadyStateComplete) {
    pump.processPendingMessages();
    if (m_pageTimeout.count() > 0 && std::chrono::steady_clock::now() - start > m_pageTimeout) {
      throw CaptureError("The page did not finish loading within " +
                         std::to_string(m_pageTimeout.count() / 1000) + " seconds");
    }
  }
}

int CaptureController::readPage(parsers::Site site, const CaptureSite& setup) {
  const std::shared_ptr<const HtmlDocument> document = m_services.browser.Document();
  std::string pageText;
  walkPage(site, document.get(), pageText, m_services.window.progress());
  const auto lookup = [&](std::string_view url) { return m_services.lookupEmail(url); };
  return addPageRows(
      site, text::cp1252ToUtf16(pageText), m_services.table,
      setup.emailLookup && m_services.lookupEmail ? EmailLookupFn(lookup) : EmailLookupFn());
}

void CaptureController::report(const CaptureSite& setup) {
  m_services.window.setCountText(std::to_string(m_services.table.Count()) +
                                 std::string(setup.statusSuffix));
}

bool CaptureController::turnPage(const CaptureSite& setup, int page) {
  for (std::string_view linkText : setup.linkTexts) {
    if (linkText.empty()) break;
    if (TurnPage(m_services.browser, linkText)) {
      if (m_observer) m_observer->linkFollowed(page, linkText);
      return true;
    }
  }
  return false;
}

void CaptureController::leave() {
  m_services.window.setStopVisible(false);
  enableAllButtons();
}

}  // namespace quillon::capture
