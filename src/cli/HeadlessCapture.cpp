#include "cli/HeadlessCapture.h"

#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/PageAnswer.h"
#include "capture/ProfileMode.h"
#include "capture/QueuedEmailSearches.h"
#include "capture/RunJournal.h"
#include "capture/RunModes.h"
#include "capture/RunOutcome.h"
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
    if (g_interrupted && m_action && !m_stopped) {
      m_stopped = true;
      m_action();
    }
  }
  void setAction(std::function<void()> action) { m_action = std::move(action); }

 private:
  webengine::QtMessagePump m_qt;
  std::function<void()> m_action;
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
    if (printsEnd) m_err << "stopped: " << end.reason << "\n";
  }

  bool printsEnd = true;

 private:
  std::ostream& m_err;
};

}  // namespace

// Declared in the order they are built: each one's users come after it.
struct HeadlessCapture::Parts {
  Parts(const CaptureOptions& options, results::ResultsTable& table, journal::Journal* journal,
        std::ostream& err)
      : webData(pump, options.fetch.resolve),
        printer(err),
        controller({browser, window, table, pump, downloadBusy,
                    [this, &options]() -> std::unique_ptr<capture::EmailSearches> {
                      return std::make_unique<capture::QueuedEmailSearches>(
                          pump, webData.Agent, webData.routing(), webData.limits(),
                          options.lookupConcurrency, webData.backoff());
                    },
                    [this](std::string_view address) { return webData.fetchPage(address); }}) {
    browser.setBlockHeavyResources(!options.loadImages);
    browser.AddListener(downloadBusy);
    webData.setConnectTo(options.fetch.connectTo);
    webData.setProxy(options.fetch.routing().proxy);
    controller.setFindWebsiteEmails(options.findEmails);
    controller.setPageTimeout(std::chrono::seconds(options.fetch.timeoutSeconds));
    controller.setMaxPages(options.maxPages);
    controller.setPageDelay(options.delay);
    controller.setRefusalWait(options.refusalWait);
    controller.addObserver(printer);
    if (journal != nullptr) {
      recorder.emplace(*journal, [&err](const std::string& why) {
        err << "quillon-cli capture: " << why << "; the run goes on without the journal\n";
      });
      controller.addObserver(*recorder);
    }
    pump.setAction([this] { controller.stop(); });
  }
  ~Parts() { browser.RemoveListener(downloadBusy); }
  Parts(const Parts&) = delete;
  Parts& operator=(const Parts&) = delete;

  webengine::WebEngineBrowser browser;
  capture::DownloadBusyFlag downloadBusy;
  InterruptiblePump pump;
  HeadlessWindow window;
  webfetch::TWebData webData;
  ProgressPrinter printer;
  capture::CaptureController controller;
  std::optional<capture::RunJournal> recorder;
  void (*previousHandler)(int) = nullptr;
};

HeadlessCapture::HeadlessCapture(const CaptureOptions& options, results::ResultsTable& table,
                                 journal::Journal* journal, std::ostream& err)
    : m_options(options), m_parts(std::make_unique<Parts>(options, table, journal, err)) {
  g_interrupted = 0;
  m_parts->previousHandler = std::signal(SIGINT, onInterrupt);
}

HeadlessCapture::~HeadlessCapture() { std::signal(SIGINT, m_parts->previousHandler); }

capture::CaptureController& HeadlessCapture::controller() { return m_parts->controller; }

std::optional<std::string> HeadlessCapture::load(const QUrl& url) {
  auto failure =
      loadPage(m_parts->browser, url, std::chrono::seconds(m_options.fetch.timeoutSeconds));
  // A first page refused, or one that asks for a person, is the run's to tell.
  if (failure && capture::runAnswersStatus(m_parts->browser.HttpStatus())) return std::nullopt;
  return failure;
}

void HeadlessCapture::dispatch() { m_parts->pump.processPendingMessages(); }

std::unique_ptr<capture::RunMode> HeadlessCapture::makeMode() const {
  std::unique_ptr<capture::RunMode> mode =
      m_options.profile ? std::make_unique<capture::ProfileMode>(*m_options.profile)
                        : capture::runModeFor(m_options.mode);
  if (!mode) throw capture::CaptureError("no site or mode is called \"" + m_options.mode + "\"");
  return mode;
}

void HeadlessCapture::setInterruptAction(std::function<void()> action) {
  m_parts->pump.setAction(std::move(action));
}

void HeadlessCapture::setRunEndPrinted(bool printed) { m_parts->printer.printsEnd = printed; }

capture::RunEnd captureHeadless(const CaptureOptions& options, const QUrl& url,
                                results::ResultsTable& table, journal::Journal* journal,
                                const capture::RunResumption& resumption, std::ostream& err) {
  HeadlessCapture session(options, table, journal, err);
  capture::RunOutcome outcome;
  session.controller().addObserver(outcome);
  try {
    if (const auto failure = session.load(url)) throw capture::CaptureError(*failure);
    session.controller().capture(*session.makeMode(), resumption);
  } catch (const std::exception& e) {
    err << "quillon-cli capture: " << e.what() << "\n";
    outcome.fail(e.what());
  }
  session.controller().removeObserver(outcome);
  return outcome.end();
}

}  // namespace quillon::cli
