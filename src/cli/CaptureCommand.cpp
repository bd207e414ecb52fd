#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/HeadlessWindow.h"
#include "cli/OffscreenBrowser.h"
#include "parsers/Site.h"
#include "results/JsonWriter.h"
#include "results/ResultsTable.h"
#include "results/RowWriter.h"
#include "results/SpreadsheetExport.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"
#include "webfetch/EmailLookup.h"
#include "webfetch/TWebData.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdlib>
#include <ostream>
#include <variant>

namespace quillon::cli {
namespace {

constexpr const char* kCaptureHelp =
    "Usage: quillon-cli capture --site es|it|au|ca URL|FILE [--output FILE]\n"
    "                           [--max-pages N] [--resolve HOST:PORT:ADDRESS]...\n"
    "                           [--connect-to HOST:PORT:CONNECT-HOST:CONNECT-PORT]...\n"
    "                           [--timeout SECONDS]\n\n"
    "Captures a directory search without a window: reads the result page at URL and\n"
    "every following one, as the Capture button does, and writes the table. Progress\n"
    "goes to standard error. Ctrl+C stops like the Stop button: the current page is\n"
    "finished and the rows are written.\n\n"
    "  --output FILE     write the table to FILE, format by extension (.xls, .xlsx, .csv,\n"
    "                    .json); without it the rows go to standard output as JSON\n"
    "  --max-pages N     stop after N pages\n"
    "  --resolve H:P:A   send the e-mail lookups for host H, port P to address A (as\n"
    "                    curl's option of that name); may be repeated\n"
    "  --connect-to H:P:CH:CP\n"
    "                    connect the e-mail lookups for host H, port P to host CH, port\n"
    "                    CP (as curl's option of that name: an empty H or P matches any,\n"
    "                    an empty CH or CP keeps the request's own); may be repeated\n"
    "  --timeout SECONDS the longest wait for one page to load (default 60)\n";

struct CaptureOptions {
  parsers::Site site = parsers::Site::ES;
  std::string address;
  std::string output;
  int maxPages = 0;
  int timeoutSeconds = 60;
  std::vector<std::string> resolve;
  std::vector<std::string> connectTo;
};

// Reads the arguments; the status to end with when they are not to go on with.
std::variant<CaptureOptions, int> parseOptions(CommandContext& context) {
  CommandLine line("capture", kCaptureHelp);
  line.addValue(QStringLiteral("site"), "--site takes es, it, au or ca");
  line.addValue(QStringLiteral("output"), "--output takes a file name");
  line.addValue(QStringLiteral("max-pages"), "--max-pages takes a number of pages from 1 on");
  line.addValue(QStringLiteral("timeout"), "--timeout takes a number of seconds from 1 to 3600");
  line.addValue(QStringLiteral("resolve"), "--resolve takes HOST:PORT:ADDRESS");
  line.addValue(QStringLiteral("connect-to"),
                "--connect-to takes HOST:PORT:CONNECT-HOST:CONNECT-PORT");
  if (const auto status = line.parse(context.args, context)) return *status;

  CaptureOptions options;
  const std::vector<std::string> addresses = line.positional();
  if (addresses.size() > 1) return line.fail(context, "only one URL or FILE may be given");
  if (!line.isSet(QStringLiteral("site")) || addresses.empty()) {
    return line.fail(context, "--site and a URL or FILE are required", true);
  }
  const auto site = parsers::siteFromCode(line.value(QStringLiteral("site")));
  if (!site) return line.failOption(context, QStringLiteral("site"));
  options.site = *site;
  options.address = addresses.front();
  if (line.isSet(QStringLiteral("output"))) {
    const auto output = line.nonEmpty(QStringLiteral("output"), context);
    if (!output) return kExitUsage;
    options.output = *output;
  }
  const auto maxPages = line.number(QStringLiteral("max-pages"), 1, 1'000'000, 0, context);
  const auto timeout =
      maxPages ? line.number(QStringLiteral("timeout"), 1, 3600, 60, context) : std::nullopt;
  if (!maxPages || !timeout) return kExitUsage;
  options.maxPages = *maxPages;
  options.timeoutSeconds = *timeout;
  options.resolve = line.values(QStringLiteral("resolve"));
  options.connectTo = line.values(QStringLiteral("connect-to"));
  return options;
}

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
      m_controller->btnStopClick();
    }
  }
  void setController(capture::CaptureController* controller) { m_controller = controller; }

 private:
  webengine::QtMessagePump m_qt;
  capture::CaptureController* m_controller = nullptr;
  bool m_stopped = false;
};

// Prints each page as the run reads it.
class ProgressPrinter final : public capture::CaptureObserver {
 public:
  explicit ProgressPrinter(std::ostream& err) : m_err(err) {}
  void pageCaptured(int page, int rowsAdded, int rowCount) override {
    m_err << "page " << page << ": " << rowsAdded << " new rows, " << rowCount << " in the table\n";
  }
  void linkFollowed(int page, std::string_view linkText) override {
    m_err << "page " << page << ": following the link \"" << linkText << "\"\n";
  }

 private:
  std::ostream& m_err;
};

// Runs the capture; any error is reported and ends the run, keeping its rows.
bool runCapture(const CaptureOptions& options, const QUrl& url, results::ResultsTable& table,
                std::ostream& err) {
  webengine::WebEngineBrowser browser;
  capture::DownloadBusyFlag downloadBusy;
  browser.addListener(downloadBusy);
  InterruptiblePump pump;
  HeadlessWindow window;
  webfetch::TWebData webData(pump, options.resolve);
  webData.setConnectTo(options.connectTo);
  ProgressPrinter printer(err);
  capture::CaptureController controller(
      {browser, window, table, pump, downloadBusy,
       [&](std::string_view address) { return webfetch::fetchEmailfromHTTP(webData, address); }});
  controller.setPageTimeout(std::chrono::seconds(options.timeoutSeconds));
  controller.setMaxPages(options.maxPages);
  controller.setObserver(&printer);
  pump.setController(&controller);

  bool ok = true;
  try {
    if (const auto failure = loadPage(browser, url, std::chrono::seconds(options.timeoutSeconds))) {
      throw capture::CaptureError(*failure);
    }
    controller.capture(options.site);
    if (g_interrupted) err << "stopped\n";
  } catch (const std::exception& e) {
    err << "quillon-cli capture: " << e.what() << "\n";
    ok = false;
  }
  browser.removeListener(downloadBusy);
  return ok;
}

}  // namespace

int runCapture(CommandContext& context) {
  const auto parsed = parseOptions(context);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const auto* options = std::get_if<CaptureOptions>(&parsed);
  const auto url = resolveAddress(options->address, context.err);
  if (!url) return kExitFailure;
  try {
    NullMessagePump noPump;
    webfetch::TWebData check(noPump, options->resolve);  // validates the overrides
    check.setConnectTo(options->connectTo);
  } catch (const std::exception& e) {
    context.err << "quillon-cli capture: " << e.what() << "\n";
    return kExitUsage;
  }

  const auto app = makeOffscreenApplication();
  g_interrupted = 0;
  const auto previous = std::signal(SIGINT, onInterrupt);
  results::ResultsTable table;
  const bool ok = runCapture(*options, *url, table, context.err);
  std::signal(SIGINT, previous);

  try {
    if (options->output.empty()) {
      results::JsonWriter writer(context.out);
      results::writeTable(table, writer);
      context.out.flush();
    } else {
      results::ExportToSpreadsheet(table, options->output);
      context.err << table.Count() << " rows written to " << options->output << "\n";
    }
  } catch (const std::exception& e) {
    context.err << "quillon-cli capture: " << e.what() << "\n";
    return kExitFailure;
  }
  return ok ? kExitOk : kExitFailure;
}

}  // namespace quillon::cli
