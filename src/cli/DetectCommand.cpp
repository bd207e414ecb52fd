#include "capture/DetectedCards.h"
#include "capture/ProfileTeaching.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/OffscreenBrowser.h"
#include "cli/ProfileReport.h"
#include "profiles/CardDetection.h"
#include "profiles/ProfileFile.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"

#include <QGuiApplication>

#include <ostream>
#include <variant>

namespace quillon::cli {
namespace {

const std::string kDetectHelp =
    "Usage: quillon-cli detect URL|FILE [--output PROFILE.json] [--timeout SECONDS]\n\n"
    "Loads a directory's result page in an offscreen browser and finds its listing cards\n"
    "without any example: the elements that repeat side by side, each with a name and a\n"
    "telephone, an address, an e-mail or a website, leaving out advertisements, navigation,\n"
    "tips and \"related searches\"; then the element of each column by what its values are.\n"
    "\"Load more\" and the buttons that show a hidden telephone are clicked, as a capture\n"
    "clicks them. The result is a site profile: printed on standard output, or written to\n"
    "the file of --output. The number of cards, how many cards each column fills and the\n"
    "first three rows go to standard error. --site auto reads every page this way; a\n"
    "profile written here runs with capture --profile and can be corrected by hand.\n\n"
    "  --output FILE     where the profile is written (default: standard output)\n"
    "  --timeout SECONDS the longest wait for the page to load (default 60)\n";

struct DetectOptions {
  std::string address;
  std::string output;
  int timeoutSeconds = 60;
};

std::variant<DetectOptions, int> parseOptions(CommandContext& context) {
  CommandLine line("detect", kDetectHelp);
  line.addValue(QStringLiteral("output"), "--output takes a file name");
  line.addValue(QStringLiteral("timeout"), "--timeout takes a number of seconds from 1 to 3600");
  if (const auto status = line.parse(context.args, context)) return *status;
  const std::vector<std::string> addresses = line.positional();
  if (addresses.size() > 1) return line.fail(context, "only one URL or FILE may be given");
  if (addresses.empty()) return line.fail(context, "a URL or FILE is required", true);
  DetectOptions options;
  options.address = addresses.front();
  if (line.isSet(QStringLiteral("output"))) {
    const auto output = line.nonEmpty(QStringLiteral("output"), context);
    if (!output) return kExitUsage;
    options.output = *output;
  }
  const auto timeout = line.number(QStringLiteral("timeout"), 1, 3600, 60, context);
  if (!timeout) return kExitUsage;
  options.timeoutSeconds = *timeout;
  return options;
}

int detect(const DetectOptions& options, const QUrl& url, CommandContext& context) {
  webengine::WebEngineBrowser browser;
  browser.setBlockHeavyResources(true);  // as a capture loads its pages
  if (const auto failure = loadPage(browser, url, std::chrono::seconds(options.timeoutSeconds))) {
    context.err << "quillon-cli detect: " << *failure << "\n";
    return kExitFailure;
  }
  webengine::QtMessagePump pump;
  capture::DetectedCards found = capture::detectCards(
      browser, pump, [&](const std::string& text) { context.err << "warning: " << text << "\n"; });
  profiles::TeachResult& result = found.detection;
  if (!result.ok) {
    context.err << "quillon-cli detect: " << result.problem << "\n";
    return kExitFailure;
  }
  const std::string host = capture::profileHost(found.page.url);
  result.profile.name = host.empty() ? "profile" : host;
  if (!host.empty()) result.profile.hosts = {host};
  printProfileReport(result, "card", context.err);
  for (const std::string& note : result.notes) context.err << "note: " << note << "\n";
  if (options.output.empty()) {
    context.out << profiles::profileJson(result.profile);
  } else {
    profiles::saveProfileFile(result.profile, options.output);
    context.err << "profile \"" << result.profile.name << "\" written to " << options.output
                << "\n";
  }
  return kExitOk;
}

}  // namespace

int runDetect(CommandContext& context) {
  const auto parsed = parseOptions(context);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const auto& options = std::get<DetectOptions>(parsed);
  const auto url = resolveAddress(options.address, context.err);
  if (!url) return kExitFailure;
  const auto app = makeOffscreenApplication();
  try {
    return detect(options, *url, context);
  } catch (const std::exception& error) {
    context.err << "quillon-cli detect: " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace quillon::cli
