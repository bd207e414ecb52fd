#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/RunModes.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/FetchOptions.h"
#include "cli/HeadlessWindow.h"
#include "cli/OffscreenBrowser.h"
#include "cli/ProfileOption.h"
#include "capture/ProfileMode.h"
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

const std::string kCaptureHelp =
    std::string(
        "Usage: quillon-cli capture --site es|it|au|ca|auto|--profile PROFILE URL|FILE\n"
        "                           [--output FILE]\n"
        "                           [--max-pages N] [--resolve HOST:PORT:ADDRESS]...\n"
        "                           [--connect-to HOST:PORT:CONNECT-HOST:CONNECT-PORT]...\n"
        "                           [--timeout SECONDS]\n\n"
        "Captures a directory search without a window: reads the result page at URL and\n"
        "every following one, as the Capture button does, and writes the table. Progress,\n"
        "warnings and why the run ended go to standard error. Ctrl+C stops like the Stop\n"
        "button: the current page is finished and the rows are written.\n\n"
        "  --site SITE       es, it, au or ca: a built-in directory; auto: any site that\n"
        "                    publishes its listings as schema.org data (JSON-LD or microdata)\n") +
    kProfileOptionHelp +
    std::string(
        "                    (instead of --site)\n"
        "  --output FILE     write the table to FILE, format by extension (.xls, .xlsx, .csv,\n"
        "                    .json); without it the rows go to standard output as JSON\n"
        "  --max-pages N     stop after N pages\n") +
    kFetchOptionsHelp;

struct CaptureOptions {
  std::string mode;  // a run mode's code
  std::optional<profiles::Profile> profile;  // instead of a code
  std::string address;
  std::string output;
  int maxPages = 0;
  FetchOptions fetch;
};

// Reads the arguments; the status to end with when they are not to go on with.
std::variant<CaptureOptions, int> parseOptions(CommandContext& context) {
  CommandLine line("capture", kCaptureHelp);
  line.addValue(QStringLiteral("site"), "--site takes es, it, au, ca or auto");
  line.addValue(QStringLiteral("output"), "--output takes a file name");
  line.addValue(QStringLiteral("max-pages"), "--max-pages takes a number of pages from 1 on");
  line.addValue(QStringLiteral("profile"), "--profile takes a profile file or name");
  addFetchOptions(line);
  if (const auto status = line.parse(context.args, context)) return *status;

  CaptureOptions options;
  const std::vector<std::string> addresses = line.positional();
  if (addresses.size() > 1) return line.fail(context, "only one URL or FILE may be given");
  const bool byProfile = line.isSet(QStringLiteral("profile"));
  if (byProfile && line.isSet(QStringLiteral("site"))) {
    return line.fail(context, "--site and --profile exclude each other");
  }
  if ((!line.isSet(QStringLiteral("site")) && !byProfile) || addresses.empty()) {
    return line.fail(context, "--site (or --profile) and a URL or FILE are required", true);
  }
  if (byProfile) {
    options.profile = loadProfileOption(line.value(QStringLiteral("profile")), "capture", context.err);
    if (!options.profile) return kExitFailure;
  } else {
    options.mode = line.value(QStringLiteral("site"));
    if (!capture::runModeFor(options.mode)) return line.failOption(context, QStringLiteral("site"));
  }
  options.address = addresses.front();
  if (line.isSet(QStringLiteral("output"))) {
    const auto output = line.nonEmpty(QStringLiteral("output"), context);
    if (!output) return kExitUsage;
    options.output = *output;
  }
  const auto maxPages = line.number(QStringLiteral("max-pages"), 1, 1'000'000, 0, context);
  if (!maxPages) return kExitUsage;
  options.maxPages = *maxPages;
  const auto fetch = readFetchOptions(line, context);
  if (!fetch) return kExitUsage;
  options.fetch = *fetch;
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
  void runEnded(const std::string& reason) override { m_err << "stopped: " << reason << "\n"; }

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
  webfetch::TWebData webData(pump, options.fetch.resolve);
  webData.setConnectTo(options.fetch.connectTo);
  ProgressPrinter printer(err);
  capture::CaptureController controller(
      {browser, window, table, pump, downloadBusy,
       [&](std::string_view address) { return webfetch::fetchEmailfromHTTP(webData, address); },
       [&](std::string_view address) { return webData.fetchPage(address); }});
  controller.setPageTimeout(std::chrono::seconds(options.fetch.timeoutSeconds));
  controller.setMaxPages(options.maxPages);
  controller.addObserver(printer);
  pump.setController(&controller);

  bool ok = true;
  try {
    if (const auto failure =
            loadPage(browser, url, std::chrono::seconds(options.fetch.timeoutSeconds))) {
      throw capture::CaptureError(*failure);
    }
    const std::unique_ptr<capture::RunMode> mode =
        options.profile ? std::make_unique<capture::ProfileMode>(*options.profile)
                        : capture::runModeFor(options.mode);
    controller.capture(*mode);
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
