#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/PageTurning.h"
#include "capture/PageWalker.h"
#include "cli/Command.h"
#include "cli/OffscreenBrowser.h"
#include "parsers/Site.h"
#include "text/Utf8.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"

#include <QGuiApplication>
#include <QUrl>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace quillon::cli {
namespace {

constexpr const char* kWalkHelp =
    "Usage: quillon-cli walk --site es|it|au|ca URL|FILE [--cp1252] [--no-reveal]\n"
    "                        [--timeout SECONDS] [--time]\n\n"
    "Loads the page in an offscreen browser, waits until it has finished loading, runs\n"
    "the site's page walker and prints the page text: one line per element of a listed\n"
    "class, \"+-+\" before each listing. For es the telephone links are followed first,\n"
    "as a capture does. A FILE is loaded as a file: address.\n\n"
    "  --cp1252          print the page text as raw cp1252 bytes (default UTF-8)\n"
    "  --no-reveal       es: walk the page as loaded, without following the phone links\n"
    "  --timeout SECONDS how long to wait for the page (default 60)\n"
    "  --time            report the time of the document read and walk on stderr\n";

struct WalkOptions {
  parsers::Site site = parsers::Site::ES;
  std::string address;
  bool cp1252 = false;
  bool reveal = true;
  bool timing = false;
  int timeoutSeconds = 60;
};

// Parses the arguments; on failure writes the reason and returns nullopt.
std::optional<WalkOptions> parseOptions(const std::vector<std::string>& args, std::ostream& err) {
  WalkOptions options;
  bool haveSite = false;
  bool haveAddress = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--site") {
      const auto site = hasValue ? parsers::siteFromCode(args[i + 1]) : std::nullopt;
      if (!site) {
        err << "quillon-cli walk: --site takes es, it, au or ca\n";
        return std::nullopt;
      }
      options.site = *site;
      haveSite = true;
      ++i;
    } else if (arg == "--timeout") {
      char* end = nullptr;
      const long seconds = hasValue ? std::strtol(args[i + 1].c_str(), &end, 10) : 0;
      if (!hasValue || *end != '\0' || seconds < 1 || seconds > 3600) {
        err << "quillon-cli walk: --timeout takes a number of seconds from 1 to 3600\n";
        return std::nullopt;
      }
      options.timeoutSeconds = static_cast<int>(seconds);
      ++i;
    } else if (arg == "--cp1252") {
      options.cp1252 = true;
    } else if (arg == "--no-reveal") {
      options.reveal = false;
    } else if (arg == "--time") {
      options.timing = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      err << "quillon-cli walk: unknown option " << arg << "\n" << kWalkHelp;
      return std::nullopt;
    } else if (haveAddress) {
      err << "quillon-cli walk: only one URL or FILE may be given\n";
      return std::nullopt;
    } else {
      options.address = arg;
      haveAddress = true;
    }
  }
  if (!haveSite || !haveAddress) {
    err << "quillon-cli walk: --site and a URL or FILE are required\n" << kWalkHelp;
    return std::nullopt;
  }
  return options;
}

int walk(const WalkOptions& options, const QUrl& url, CommandContext& context) {
  capture::DownloadBusyFlag downloadBusy;
  webengine::WebEngineBrowser browser;
  browser.addListener(downloadBusy);
  browser.Navigate(url.toString().toStdU16String());
  if (!browser.waitUntilComplete(std::chrono::seconds(options.timeoutSeconds))) {
    context.err << "quillon-cli walk: the page did not finish loading within "
                << options.timeoutSeconds << " seconds\n";
    return kExitFailure;
  }
  if (!browser.lastLoadSucceeded()) {
    context.err << "quillon-cli walk: could not load " << url.toString().toStdString() << "\n";
    return kExitFailure;
  }
  capture::PlainProgressIndicator progress;
  webengine::QtMessagePump pump;
  if (options.site == parsers::Site::ES && options.reveal) {
    capture::TogglePhones(browser, downloadBusy, progress, pump);
  }
  const auto start = std::chrono::steady_clock::now();
  std::string pageText;
  capture::walkPage(options.site, browser.Document().get(), pageText, progress);
  const auto elapsed = std::chrono::steady_clock::now() - start;

  if (options.timing) {
    context.err << "document read and walk: "
                << std::chrono::duration<double, std::milli>(elapsed).count() << " ms\n";
  }
  if (options.cp1252) {
    context.out << pageText;
  } else {
    context.out << text::cp1252ToUtf8(pageText);
  }
  context.out.flush();
  return kExitOk;
}

}  // namespace

int runWalk(CommandContext& context) {
  for (const std::string& arg : context.args) {
    if (arg == "--help" || arg == "-h") {
      context.out << kWalkHelp;
      return kExitOk;
    }
  }
  const auto options = parseOptions(context.args, context.err);
  if (!options) return kExitUsage;
  const auto url = resolveAddress(options->address, context.err);
  if (!url) return kExitFailure;

  const auto app = makeOffscreenApplication();
  try {
    return walk(*options, *url, context);
  } catch (const capture::CaptureError& e) {
    context.err << "quillon-cli walk: " << e.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace quillon::cli
