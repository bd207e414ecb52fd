#pragma once

// The state of one capture run, shared by the files of CaptureController; not for others.

#include "capture/CaptureController.h"
#include "capture/RowEmails.h"
#include "capture/RunEnd.h"
#include "results/ResultsTable.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace quillon::capture {

template <class Event>
void CaptureController::notify(Event event) {
  const auto observers = m_observers;  // one may leave while it is told
  for (CaptureObserver* observer : observers) event(*observer);
}

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
                readAddresses},
        requests(*controller.m_clock, controller.m_pageDelay, controller.m_random) {}

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
  PageRequests requests;
  RunEnd end;
  // The address the run asked for last (the page shown when it began), and the page shown.
  std::string requestedAddress;
  std::string shownAddress;
  // The page read last, done once its e-mail searches have reported.
  std::optional<PageDone> pending;
};

}  // namespace quillon::capture
