#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/PageTurning.h"
#include "capture/PageWalker.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
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
#include <variant>

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

// Reads the arguments; the status to end with when they are not to go on with.
std::variant<WalkOptions, int> parseOptions(CommandContext& context) {
  CommandLine line("walk", kWalkHelp);
  line.addValue(QStringLiteral("site"), "--site takes es, it, au or ca");
  line.addValue(QStringLiteral("timeout"), "--timeout takes a number of seconds from 1 to 3600");
  for (const char* flag : {"cp1252", "no-reveal", "time"}) line.addFlag(QString::fromLatin1(flag));
  if (const auto status = line.parse(context.args, context)) return *status;

  WalkOptions options;
  const std::vector<std::string> addresses = line.positional();
  if (addresses.size() > 1) return line.fail(context, "only one URL or FILE may be given");
  if (!line.isSet(QStringLiteral("site")) || addresses.empty()) {
    return line.fail(context, "--site and a URL or FILE are required", true);
  }
  const auto site = parsers::siteFromCode(line.value(QStringLiteral("site")));
  if (!site) return line.failOption(context, QStringLiteral("site"));
  const auto timeout = line.number(QStringLiteral("timeout"), 1, 3600, 60, context);
  if (!timeout) return kExitUsage;
  options.site = *site;
  options.address = addresses.front();
  options.timeoutSeconds = *timeout;
  options.cp1252 = line.isSet(QStringLiteral("cp1252"));
  options.reveal = !line.isSet(QStringLiteral("no-reveal"));
  options.timing = line.isSet(QStringLiteral("time"));
  return options;
}

int walk(const WalkOptions& options, const QUrl& url, CommandContext& context) {
  capture::DownloadBusyFlag downloadBusy;
  webengine::WebEngineBrowser browser;
  browser.setBlockHeavyResources(true);  // as a capture loads its pages
  browser.AddListener(downloadBusy);
  if (const auto failure = loadPage(browser, url, std::chrono::seconds(options.timeoutSeconds))) {
    context.err << "quillon-cli walk: " << *failure << "\n";
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
  const auto parsed = parseOptions(context);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const auto* options = std::get_if<WalkOptions>(&parsed);
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
