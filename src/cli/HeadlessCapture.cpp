#include "cli/HeadlessCapture.h"

#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/PageAnswer.h"
#include "capture/ProfileMode.h"
#include "capture/QueuedEmailSearches.h"
#include "capture/RunJournal.h"
#include "capture/RunModes.h"
#include "cli/HeadlessWindow.h"
#include "cli/OffscreenBrowser.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"
#include "webfetch/TWebData.h"

#include <csignal>
#include <ostream>

namespace quillon::cli {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
  g_interrupted = 1;
  std::signal(SIGINT, SIG_DFL);  // a second Ctrl+C ends the program at once
}

// Dispatches the browser's events and turns Ctrl+C into the Stop button.
class InterruptiblePump final : public MessagePump {
 public:
  void processPendingMessages() override {
    m_qt.processPendingMessages();
    if (g_interrupted && m_controller && !m_stopped) {
      m_stopped = true;
      m_controller->stop();
    }
  }
  void setController(capture::CaptureController* controller) { m_controller = controller; }

 private:
  webengine::QtMessagePump m_qt;
  capture::CaptureController* m_controller = nullptr;
  bool m_stopped = false;
};

// Prints each page as the run reads it, its warnings, and why it ended.
class ProgressPrinter final : public capture::CaptureObserver {
 public:
  explicit ProgressPrinter(std::ostream& err) : m_err(err) {}
  void pageCaptured(int page, int rowsAdded, int rowCount) override {
    m_err << "page " << page << ": " << rowsAdded << " new rows, " << rowCount << " in the table\n";
  }
  void linkFollowed(int page, const capture::PageTurn& turn) override {
    if (turn.linkText.empty()) {
      m_err << "page " << page << ": following the link to " << turn.address << "\n";
    } else {
      m_err << "page " << page << ": following the link \"" << turn.linkText << "\"\n";
    }
  }
  void warning(const std::string& text) override { m_err << "warning: " << text << "\n"; }
  void pageRefused(int page, int status, std::chrono::milliseconds wait) override {
    m_err << capture::refusalNotice(page, status, wait) << "\n";
  }
  void runEnded(const capture::RunEnd& end) override {
    m_err << "stopped: " << end.reason << "\n";
    m_end = end;
  }
  const capture::RunEnd& end() const { return m_end; }

 private:
  std::ostream& m_err;
  capture::RunEnd m_end;
};

}  // namespace

capture::RunEnd captureHeadless(const CaptureOptions& options, const QUrl& url,
                                results::ResultsTable& table, journal::Journal* journal,
                                const capture::RunResumption& resumption, std::ostream& err) {
  webengine::WebEngineBrowser browser;
  browser.setBlockHeavyResources(!options.loadImages);
  capture::DownloadBusyFlag downloadBusy;
  browser.AddListener(downloadBusy);
  InterruptiblePump pump;
  HeadlessWindow window;
  webfetch::TWebData webData(pump, options.fetch.resolve);
  webData.setConnectTo(options.fetch.connectTo);
  webData.setProxy(options.fetch.routing().proxy);
  ProgressPrinter printer(err);
  capture::CaptureController controller(
      {browser, window, table, pump, downloadBusy,
       [&]() -> std::unique_ptr<capture::EmailSearches> {
         return std::make_unique<capture::QueuedEmailSearches>(
             pump, webData.Agent, webData.routing(), webData.limits(), options.lookupConcurrency,
             webData.backoff());
       },
       [&](std::string_view address) { return webData.fetchPage(address); }});
  controller.setFindWebsiteEmails(options.findEmails);
  controller.setPageTimeout(std::chrono::seconds(options.fetch.timeoutSeconds));
  controller.setMaxPages(options.maxPages);
  controller.setPageDelay(options.delay);
  controller.setRefusalWait(options.refusalWait);
  controller.addObserver(printer);
  std::optional<capture::RunJournal> recorder;
  if (journal != nullptr) {
    recorder.emplace(*journal, [&err](const std::string& why) {
      err << "quillon-cli capture: " << why << "; the run goes on without the journal\n";
    });
    controller.addObserver(*recorder);
  }
  pump.setController(&controller);

  g_interrupted = 0;
  const auto previous = std::signal(SIGINT, onInterrupt);
  capture::RunEnd end;
  try {
    if (const auto failure =
            loadPage(browser, url, std::chrono::seconds(options.fetch.timeoutSeconds))) {
      // A first page refused, or one that asks for a person, is the run's to tell.
      const int status = browser.HttpStatus();
      if (status != 403 && status != 429 && status != 503) throw capture::CaptureError(*failure);
    }
    const std::unique_ptr<capture::RunMode> mode =
        options.profile ? std::make_unique<capture::ProfileMode>(*options.profile)
                        : capture::runModeFor(options.mode);
    if (!mode) throw capture::CaptureError("no site or mode is called \"" + options.mode + "\"");
    controller.capture(*mode, resumption);
    end = printer.end();
  } catch (const std::exception& e) {
    err << "quillon-cli capture: " << e.what() << "\n";
    end = capture::RunEnd::failed(e.what());
  }
  std::signal(SIGINT, previous);
  browser.RemoveListener(downloadBusy);
  return end;
}

}  // namespace quillon::cli
