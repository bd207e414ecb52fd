#include "capture/ProfileTeaching.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/OffscreenBrowser.h"
#include "cli/ProfileReport.h"
#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <ostream>
#include <variant>

namespace quillon::cli {
namespace {

using profiles::Column;

const std::string kTeachHelp =
    "Usage: quillon-cli teach URL|FILE --name TEXT [--activity TEXT] [--phone TEXT]\n"
    "                         [--fax TEXT] [--street TEXT] [--zip TEXT] [--city TEXT]\n"
    "                         [--province TEXT] [--web TEXT] [--email TEXT] [--next TEXT]\n"
    "                         --output PROFILE.json [--timeout SECONDS]\n\n"
    "Loads a directory's result page in an offscreen browser and teaches a site profile\n"
    "from the values of one of its listings, as the page shows them: finds the elements\n"
    "that show them, the listing that holds them and repeats on the page, and writes\n"
    "selectors (and patterns, for a value that is part of a text) that read every listing\n"
    "alike, each judged on every listing of the page by the kind of its values (a\n"
    "telephone, an e-mail, a website off the directory, the parts of an address). The\n"
    "profile read back must give the values shown. Buttons that reveal a hidden value\n"
    "(clicked to check), a \"load more\" button (kept when a click shows more listings)\n"
    "and, with --next, the next-page link are found too; a click that leaves the page is\n"
    "undone and said. The listing count, how many listings each field fills and the first\n"
    "three rows go to standard error. Capture with the profile:\n"
    "quillon-cli capture --profile PROFILE.json URL.\n\n"
    "  --name TEXT       the listing's name (required)\n"
    "  --activity, --phone, --fax, --street, --zip, --city, --province, --web, --email TEXT\n"
    "                    the listing's other values, any of them; --web and --email may be\n"
    "                    the address a link leads to, --phone a tel: link's number\n"
    "  --next TEXT       the text of the link to the next result page (without it, a capture\n"
    "                    follows rel=next or a \"Next\" link, as --site auto does)\n"
    "  --output FILE     where the profile is written\n"
    "  --timeout SECONDS the longest wait for the page to load (default 60)\n";

// The options of the ten columns, in the columns' order.
constexpr std::array<const char*, profiles::kColumnCount> kFieldOptions = {
    "name", "activity", "fax", "phone", "street", "zip", "city", "province", "web", "email"};

struct TeachOptions {
  std::string address;
  profiles::TeachExamples examples;
  std::string output;
  int timeoutSeconds = 60;
};

std::variant<TeachOptions, int> parseOptions(CommandContext& context) {
  CommandLine line("teach", kTeachHelp);
  for (const char* option : kFieldOptions) {
    line.addValue(QString::fromLatin1(option), std::string("--") + option + " takes a text");
  }
  line.addValue(QStringLiteral("next"), "--next takes the next link's text");
  line.addValue(QStringLiteral("output"), "--output takes a file name");
  line.addValue(QStringLiteral("timeout"), "--timeout takes a number of seconds from 1 to 3600");
  if (const auto status = line.parse(context.args, context)) return *status;
  const std::vector<std::string> addresses = line.positional();
  if (addresses.size() > 1) return line.fail(context, "only one URL or FILE may be given");
  if (addresses.empty() || !line.isSet(QStringLiteral("name")) ||
      !line.isSet(QStringLiteral("output"))) {
    return line.fail(context, "a URL or FILE, --name and --output are required", true);
  }
  TeachOptions options;
  options.address = addresses.front();
  for (std::size_t i = 0; i < kFieldOptions.size(); ++i) {
    options.examples.values[i] = line.value(QString::fromLatin1(kFieldOptions[i]));
  }
  if (options.examples[Column::Name].find_first_not_of(" \t") == std::string::npos) {
    return line.failOption(context, QStringLiteral("name"));
  }
  options.examples.nextText = line.value(QStringLiteral("next"));
  const auto output = line.nonEmpty(QStringLiteral("output"), context);
  if (!output) return kExitUsage;
  options.output = *output;
  const auto timeout = line.number(QStringLiteral("timeout"), 1, 3600, 60, context);
  if (!timeout) return kExitUsage;
  options.timeoutSeconds = *timeout;
  return options;
}

void printNotes(const profiles::TeachResult& result, std::ostream& err) {
  for (const std::string& note : result.notes) err << "note: " << note << "\n";
}

int teach(const TeachOptions& options, const QUrl& url, CommandContext& context) {
  webengine::WebEngineBrowser browser;
  if (const auto failure = loadPage(browser, url, std::chrono::seconds(options.timeoutSeconds))) {
    context.err << "quillon-cli teach: " << *failure << "\n";
    return kExitFailure;
  }
  webengine::QtMessagePump pump;
  const profiles::TeachResult result = capture::teachFromPage(browser, pump, options.examples);
  printNotes(result, context.err);
  if (!result.ok) {
    context.err << "quillon-cli teach: " << result.problem << "\n";
    return kExitFailure;
  }
  profiles::saveProfileFile(result.profile, options.output);
  printProfileReport(result, "listing", context.err);
  context.err << "profile \"" << result.profile.name << "\" written to " << options.output << "\n";
  return kExitOk;
}

}  // namespace

int runTeach(CommandContext& context) {
  const auto parsed = parseOptions(context);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const auto& options = std::get<TeachOptions>(parsed);
  const auto url = resolveAddress(options.address, context.err);
  if (!url) return kExitFailure;
  const auto app = makeOffscreenApplication();
  try {
    return teach(options, *url, context);
  } catch (const std::exception& error) {
    context.err << "quillon-cli teach: " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace quillon::cli
