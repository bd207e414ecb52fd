#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "cli/Command.h"
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

namespace quillon::cli {
namespace {

constexpr const char* kCaptureHelp =
    "Usage: quillon-cli capture --site es|it|au|ca URL|FILE [--output FILE]\n"
    "                           [--max-pages N] [--resolve HOST:PORT:ADDRESS]...\n"
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
    "  --timeout SECONDS the longest wait for one page to load (default 60)\n";

struct CaptureOptions {
  parsers::Site site = parsers::Site::ES;
  std::string address;
  std::string output;
  int maxPages = 0;
  int timeoutSeconds = 60;
  std::vector<std::string> resolve;
};

bool parseNumber(const std::string& text, int low, int high, int& value) {
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || number < low || number > high) return false;
  value = static_cast<int>(number);
  return true;
}

std::optional<CaptureOptions> parseOptions(const std::vector<std::string>& args,
                                           std::ostream& err) {
  CaptureOptions options;
  bool haveSite = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::string* value = i + 1 < args.size() ? &args[i + 1] : nullptr;
    const auto fail = [&](const char* why) {
      err << "quillon-cli capture: " << why << "\n";
      return std::nullopt;
    };
    if (arg == "--site") {
      const auto site = value ? parsers::siteFromCode(*value) : std::nullopt;
      if (!site) return fail("--site takes es, it, au or ca");
      options.site = *site;
      haveSite = true;
    } else if (arg == "--output") {
      if (!value || value->empty()) return fail("--output takes a file name");
      options.output = *value;
    } else if (arg == "--max-pages") {
      if (!value || !parseNumber(*value, 1, 1'000'000, options.maxPages)) {
        return fail("--max-pages takes a number of pages from 1 on");
      }
    } else if (arg == "--timeout") {
      if (!value || !parseNumber(*value, 1, 3600, options.timeoutSeconds)) {
        return fail("--timeout takes a number of seconds from 1 to 3600");
      }
    } else if (arg == "--resolve") {
      if (!value) return fail("--resolve takes HOST:PORT:ADDRESS");
      options.resolve.push_back(*value);
    } else if (arg.size() > 1 && arg[0] == '-') {
      err << "quillon-cli capture: unknown option " << arg << "\n" << kCaptureHelp;
      return std::nullopt;
    } else if (!options.address.empty()) {
      return fail("only one URL or FILE may be given");
    } else {
      options.address = arg;
      continue;
    }
    ++i;  // the option's value
  }
  if (!haveSite || options.address.empty()) {
    err << "quillon-cli capture: --site and a URL or FILE are required\n" << kCaptureHelp;
    return std::nullopt;
  }
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
    m_err << "page " << page << ": " << rowsAdded << " new rows, " << rowCount
          << " in the table\n";
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
    browser.Navigate(url.toString().toStdU16String());
    if (!browser.waitUntilComplete(std::chrono::seconds(options.timeoutSeconds))) {
      throw capture::CaptureError("the page did not finish loading within " +
                                  std::to_string(options.timeoutSeconds) + " seconds");
    }
    if (!browser.lastLoadSucceeded()) {
      throw capture::CaptureError("could not load " + url.toString().toStdString());
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
  for (const std::string& arg : context.args) {
    if (arg == "--help" || arg == "-h") {
      context.out << kCaptureHelp;
      return kExitOk;
    }
  }
  const auto options = parseOptions(context.args, context.err);
  if (!options) return kExitUsage;
  const auto url = resolveAddress(options->address, context.err);
  if (!url) return kExitFailure;
  try {
    NullMessagePump noPump;
    const webfetch::TWebData check(noPump, options->resolve);  // validates the overrides
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
