#include "capture/CaptureController.h"

#include "capture/AutoMode.h"
#include "capture/BuiltInSiteMode.h"
#include "capture/CaptureError.h"
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
namespace {

// Thrown by the waits of a run that the window aborts; the run catches it and unwinds.
struct RunAborted {};

// The pump of a run's own waits: it dispatches as usual, moves the e-mail searches on, and
// ends the wait once the run is aborted.
class AbortablePump final : public MessagePump {
 public:
  AbortablePump(MessagePump& pump, const bool& aborting) : m_pump(pump), m_aborting(aborting) {}
  void setSearches(EmailSearches* searches) { m_searches = searches; }
  void processPendingMessages() override {
    if (m_aborting) throw RunAborted{};
    m_pump.processPendingMessages();
    if (m_searches != nullptr) m_searches->drive();
    if (m_aborting) throw RunAborted{};
  }

 private:
  MessagePump& m_pump;
  EmailSearches* m_searches = nullptr;
  const bool& m_aborting;
};

}  // namespace

// What one run knows: the pages it has read and the services its page steps use.
struct CaptureController::Run {
  Run(CaptureController& controller, RunMode& runMode, MessagePump& pump,
      const RunResumption& resumption)
      : mode(runMode),
        searches(controller.m_services.makeEmailSearches ? controller.m_services.makeEmailSearches()
                                                         : nullptr),
        signatures(resumption.signatures),
        readAddresses(resumption.readAddresses),
        warn([&controller](const std::string& text) {
          controller.notify([&](CaptureObserver& o) { o.warning(text); });
        }),
        rowAdded([&table = controller.m_services.table, searches = searches.get(),
                  rule = EmailRule{runMode.looksUpListingPages(), controller.m_findWebsiteEmails,
                                   runMode.emailColumn()}](results::RowHandle row) {
          if (searches != nullptr) startEmailSearches(table, *searches, row, rule);
        }),
        context{controller.m_services.browser,
                controller.m_services.table,
                pump,
                controller.m_services.display.progress(),
                controller.m_services.downloadBusy,
                rowAdded,
                controller.m_services.fetchPage,
                warn,
                readAddresses} {}

  // A run that ends by an error leaves no search behind: each reports an empty e-mail.
  ~Run() {
    if (searches) searches->cancelAll();
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  RunMode& mode;
  std::unique_ptr<EmailSearches> searches;
  std::map<std::string, int> signatures;
  std::set<std::string> readAddresses;
  std::function<void(const std::string&)> warn;
  std::function<void(results::RowHandle)> rowAdded;
  RunContext context;
  std::string endReason;
  // The page read last, done once its e-mail searches have reported.
  std::optional<PageDone> pending;
};

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

template <class Event>
void CaptureController::notify(Event event) {
  const auto observers = m_observers;  // one may leave while it is told
  for (CaptureObserver* observer : observers) event(*observer);
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
  m_runs.push_back(&run);
  struct Registered {
    std::vector<Run*>& runs;
    ~Registered() { runs.pop_back(); }
  } registered{m_runs};
  try {
    for (int page = resumption.firstPage; readPage(run, page); ++page) {
    }
  } catch (const RunAborted&) {
    // The window is closing: end quietly in the idle state, keeping the rows.
    run.endReason = "window closed";
  } catch (const std::exception& error) {
    failed(run, error.what());
    throw;
  } catch (...) {
    failed(run, "unknown error");
    throw;
  }
  notify([&](CaptureObserver& o) { o.runEnded(run.endReason); });
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

// One capture step; false when the run ends with it (the reason is in run.endReason). The
// page is done (and journalled) before its step ends, and only then reported as read.
bool CaptureController::readPage(Run& run, int page) {
  enterRun(run.mode);
  waitForPage(run.context.pump);
  const std::string address = text::utf16ToUtf8(m_services.browser.LocationURL());
  run.context.page = page;
  PageReading reading = run.mode.readPage(run.context);
  if (!reading.endReason.empty()) {
    run.endReason = reading.endReason;
    return false;
  }
  if (!reading.signature.empty()) {
    // A page seen before is not read again: a next link that leads back would loop.
    if (const auto earlier = run.signatures.find(reading.signature);
        earlier != run.signatures.end()) {
      run.endReason =
          "page " + std::to_string(page) + " repeats page " + std::to_string(earlier->second);
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
    run.endReason = "page limit";
  } else if (turn = run.mode.turnPage(run.context); !turn->followed) {
    run.endReason = turn->endReason;
  } else {
    run.pending->nextAddress = turn->address;
  }
  // The next page loads meanwhile.
  finishPage(run);
  report(run.mode);
  notify([&](CaptureObserver& o) { o.pageCaptured(page, added, m_services.table.Count()); });
  if (!turn || !turn->followed) return false;
  notify([&](CaptureObserver& o) { o.linkFollowed(page, *turn); });
  if (m_stopFlag) {  // the next step's stop check
    consumeStop();
    run.endReason = "Stop";
    return false;
  }
  return true;
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

void CaptureController::report(const RunMode& mode) {
  m_services.display.setCountText(std::to_string(m_services.table.Count()) +
                                  std::string(mode.countSuffix()));
}

void CaptureController::leave() {
  m_services.display.setStopVisible(false);
  showIdle();
}

}  // namespace quillon::capture
