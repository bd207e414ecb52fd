#include "capture/CaptureError.h"
#include "capture/DetectedCards.h"
#include "capture/ListingUnion.h"
#include "capture/PageSurvey.h"
#include "capture/ProfileMode.h"
#include "capture/SchemaListings.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/FetchOptions.h"
#include "cli/OffscreenBrowser.h"
#include "cli/ProfileOption.h"
#include "results/JsonWriter.h"
#include "results/TableColumns.h"
#include "structured/Extraction.h"
#include "structured/PageDataFormat.h"
#include "structured/StructuredDataError.h"
#include "text/Utf8.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"
#include "webfetch/TWebData.h"

#include <QGuiApplication>

#include <array>
#include <ostream>
#include <variant>

namespace quillon::cli {
namespace {

const std::string kListingsHelp =
    std::string(
        "Usage: quillon-cli listings URL|FILE [--follow-details] [--profile PROFILE]\n"
        "                            [--resolve HOST:PORT:ADDRESS]...\n"
        "                            [--connect-to HOST:PORT:CONNECT-HOST:CONNECT-PORT]...\n"
        "                            [--timeout SECONDS] [--proxy URL]\n\n"
        "Loads one page in an offscreen browser, as a capture does (its scripts run), and\n"
        "prints the listings that a capture with --site auto reads from it: those of its\n"
        "schema.org data (JSON-LD, microdata) and the listing cards that detection finds (see\n"
        "quillon-cli detect), one row per business, as a JSON array of rows of ten strings,\n"
        "one row a line, as the table would hold them. Standard error says where they come\n"
        "from (structured data, detection, or both). No next page is followed. Warnings about\n"
        "the page go to standard error. Check a site with it before a long run.\n\n"
        "  --follow-details  a summary page (a list of links to detail pages) gives the\n"
        "                    listing of each detail page, fetched over HTTP; without it, none\n") +
    kProfileOptionHelp +
    "                    (the listings that the profile reads, after its clicks, instead)\n" +
    kFetchOptionsHelp;

struct ListingsOptions {
  std::string address;
  bool followDetails = false;
  std::optional<profiles::Profile> profile;
  FetchOptions fetch;
};

std::variant<ListingsOptions, int> parseOptions(CommandContext& context) {
  CommandLine line("listings", kListingsHelp);
  line.addFlag(QStringLiteral("follow-details"));
  line.addValue(QStringLiteral("profile"), "--profile takes a profile file or name");
  addFetchOptions(line);
  if (const auto status = line.parse(context.args, context)) return *status;
  const std::vector<std::string> addresses = line.positional();
  if (addresses.size() > 1) return line.fail(context, "only one URL or FILE may be given");
  if (addresses.empty()) return line.fail(context, "a URL or FILE is required", true);
  const auto fetch = readFetchOptions(line, context);
  if (!fetch) return kExitUsage;
  ListingsOptions options{
      addresses.front(), line.isSet(QStringLiteral("follow-details")), {}, *fetch};
  if (line.isSet(QStringLiteral("profile"))) {
    options.profile =
        loadProfileOption(line.value(QStringLiteral("profile")), "listings", context.err);
    if (!options.profile) return kExitFailure;
  }
  return options;
}

// Prints the listings as the table would hold them.
void printListings(const std::vector<structured::Listing>& listings, std::ostream& out) {
  results::JsonWriter writer(out);
  writer.begin(listings.size());
  for (const structured::Listing& listing : listings) {
    results::RowCells row;
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = listing.columns[i];
    writer.writeRow(row);
  }
  writer.finish();
}

// The listings the profile reads from the page, after its load-more and reveal clicks.
int listProfilePage(const profiles::Profile& profile, webengine::WebEngineBrowser& browser,
                    CommandContext& context) {
  capture::ProfileMode mode(profile);
  webengine::QtMessagePump pump;
  const auto listings = mode.readListings(
      browser, pump, [&](const std::string& text) { context.err << "warning: " << text << "\n"; });
  if (listings.empty())
    context.err << "the page has no listings for profile " << profile.name << "\n";
  printListings(listings, context.out);
  return kExitOk;
}

int listPage(const ListingsOptions& options, const QUrl& url, CommandContext& context) {
  webengine::WebEngineBrowser browser;
  browser.setBlockHeavyResources(true);  // as a capture loads its pages
  if (const auto failure =
          loadPage(browser, url, std::chrono::seconds(options.fetch.timeoutSeconds))) {
    context.err << "quillon-cli listings: " << *failure << "\n";
    return kExitFailure;
  }
  if (options.profile) return listProfilePage(*options.profile, browser, context);
  const capture::WarnFn warn = [&](const std::string& text) {
    context.err << "warning: " << text << "\n";
  };
  webengine::QtMessagePump pump;
  capture::DetectedCards detected = capture::detectCards(browser, pump, warn);
  const structured::PageData page =
      detected.detection.ok ? detected.page : structured::decodePageData(browser.PageData());
  const structured::Extraction extraction = structured::extractListings(page);
  for (const std::string& warning : extraction.warnings) warn(warning);
  context.err << "read from: "
              << capture::surveySources(capture::surveyPage(extraction, detected.detection))
              << "\n";
  webfetch::TWebData webData(pump, options.fetch.resolve);
  webData.setConnectTo(options.fetch.connectTo);
  webData.setProxy(options.fetch.routing().proxy);
  capture::FetchPageFn fetchPage;
  if (options.followDetails) {
    fetchPage = [&](std::string_view address) { return webData.fetchPage(address); };
  }
  const std::vector<structured::Listing> listings =
      capture::unionByBusiness(capture::listingsOf(extraction, fetchPage, warn), detected.cards);
  if (listings.empty() && !extraction.summaryUrls.empty() && !options.followDetails) {
    context.err << "a summary page: " << extraction.summaryUrls.size()
                << " entries link to detail pages (--follow-details reads them)\n";
  }
  printListings(listings, context.out);
  return kExitOk;
}

}  // namespace

int runListings(CommandContext& context) {
  const auto parsed = parseOptions(context);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const auto& options = std::get<ListingsOptions>(parsed);
  const auto url = resolveAddress(options.address, context.err);
  if (!url) return kExitFailure;
  useProxy(options.fetch.proxy);
  const auto app = makeOffscreenApplication();
  try {
    return listPage(options, *url, context);
  } catch (const std::exception& error) {
    context.err << "quillon-cli listings: " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace quillon::cli
