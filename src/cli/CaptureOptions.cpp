#include "cli/CaptureOptions.h"

#include "capture/RunModes.h"
#include "cli/CommandLine.h"
#include "cli/ProfileOption.h"
#include "profiles/ProfileFile.h"

#include <cstdlib>

namespace quillon::cli {
namespace {

const std::string kCaptureHelp =
    std::string(
        "Usage: quillon-cli capture (--site es|it|au|ca|auto | --profile PROFILE) URL|FILE\n"
        "                           [--output FILE] [--max-pages N] [--journal FILE]\n"
        "                           [--find-emails] [--lookup-concurrency N] [--load-images]\n"
        "                           [--delay SECONDS] [--refusal-wait SECONDS] [--proxy URL]\n"
        "                           [--resolve HOST:PORT:ADDRESS]...\n"
        "                           [--connect-to HOST:PORT:CONNECT-HOST:CONNECT-PORT]...\n"
        "                           [--timeout SECONDS]\n"
        "       quillon-cli capture (--site SITE | --profile PROFILE)\n"
        "                           (--searches FILE | --search-template TEMPLATE\n"
        "                            --values FILE) [--shard K/N] [OPTIONS]\n"
        "       quillon-cli capture --resume FILE [--output FILE] [--timeout SECONDS]\n"
        "                           [--delay SECONDS] [--refusal-wait SECONDS] [--proxy URL]\n\n"
        "Captures a directory search without a window: reads the result page at URL and\n"
        "every following one, as the Capture button does, and writes the table. Progress,\n"
        "warnings and why the run ended go to standard error. Ctrl+C stops like the Stop\n"
        "button: the current page is finished and the rows are written. A page that the site\n"
        "refuses (HTTP 429 or 503) is asked for again after a wait, three times at most; a\n"
        "refused page (then, or with 403) or a page that asks to prove that a person is there\n"
        "ends the run with exit status 1: the rows so far are written, and the journal goes\n"
        "on at that page.\n\n"
        "A list of searches is read one search after another into one table (a business\n"
        "found by two searches is one row); standard error says \"search 3 of 40: URL\",\n"
        "how each ended (\"search 3: 57 rows, stopped: no next page\") and in the end\n"
        "\"40 searches: 38 read to their end, 2 failed; 1,912 rows\". A search whose first\n"
        "page does not load, or that fails, is said and the batch goes on; the exit\n"
        "status is then 1.\n\n"
        "  --site SITE       es, it, au or ca: a built-in directory; auto: any other\n"
        "                    directory, from its schema.org data (JSON-LD or microdata) and\n"
        "                    the listing cards that detection finds on each page (see\n"
        "                    quillon-cli detect), one row per business\n") +
    kProfileOptionHelp +
    std::string(
        "                    (instead of --site)\n"
        "  --output FILE     write the table to FILE, format by extension (.xls, .xlsx, .csv,\n"
        "                    .json); without it the rows go to standard output as JSON\n"
        "  --max-pages N     stop after N pages\n"
        "  --find-emails     rows with a web address and no e-mail get the e-mail of that\n"
        "                    website (its home page, then its contact pages) in column 9\n"
        "  --lookup-concurrency N\n"
        "                    e-mail fetches running at the same time (1 to 64, default 8)\n"
        "  --load-images     load the pages' images, media and fonts too (skipped by\n"
        "                    default: the listings are text, and pages come faster)\n"
        "  --delay SECONDS   wait at least this long between two result-page requests, plus\n"
        "                    a random extra of up to half of it (decimals allowed; default 0)\n"
        "  --refusal-wait SECONDS\n"
        "                    the wait before a refused result page is asked for again (0 to\n"
        "                    120, decimals allowed; default 30); fetches over HTTP wait as\n"
        "                    the site's Retry-After says\n"
        "  --journal FILE    keep the run in a crash-safe journal (SQLite): every page read\n"
        "                    is written at once, so a killed run loses at most the page in\n"
        "                    progress\n"
        "  --resume FILE     go on with the run that the journal FILE holds, after a kill:\n"
        "                    its rows come back and the run starts at the first page not\n"
        "                    read to its end; the output is that of an uninterrupted run\n"
        "                    (a batch: the first search not read to its end)\n") +
    kBatchOptionsHelp + kFetchOptionsHelp;

}  // namespace

std::vector<std::pair<std::string, std::string>> CaptureOptions::journalled() const {
  std::vector<std::pair<std::string, std::string>> kept;
  if (maxPages > 0) kept.emplace_back("max-pages", std::to_string(maxPages));
  if (findEmails) kept.emplace_back("find-emails", "yes");
  // The profile itself: the run goes on as it began even when the file changes meanwhile.
  if (profile) kept.emplace_back("profile", profiles::profileJson(*profile));
  for (const std::string& entry : fetch.resolve) kept.emplace_back("resolve", entry);
  for (const std::string& entry : fetch.connectTo) kept.emplace_back("connect-to", entry);
  return kept;
}

void CaptureOptions::takeJournalled(const std::vector<std::pair<std::string, std::string>>& kept) {
  for (const auto& [name, value] : kept) {
    if (name == "max-pages" && maxPages == 0) maxPages = std::atoi(value.c_str());
    if (name == "find-emails") findEmails = true;
    if (name == "resolve") fetch.resolve.push_back(value);
    if (name == "connect-to") fetch.connectTo.push_back(value);
    if (name == "profile") profile = profiles::parseProfile(value, "kept in the journal");
  }
}

std::variant<CaptureOptions, int> parseCaptureOptions(CommandContext& context) {
  CommandLine line("capture", kCaptureHelp);
  line.addValue(QStringLiteral("site"), "--site takes es, it, au, ca or auto");
  line.addValue(QStringLiteral("output"), "--output takes a file name");
  line.addValue(QStringLiteral("profile"), "--profile takes a profile file or name");
  line.addValue(QStringLiteral("max-pages"), "--max-pages takes a number of pages from 1 on");
  line.addValue(QStringLiteral("journal"), "--journal takes a file name");
  line.addValue(QStringLiteral("resume"), "--resume takes a journal's file name");
  line.addValue(QStringLiteral("lookup-concurrency"),
                "--lookup-concurrency takes a number from 1 to 64");
  line.addValue(QStringLiteral("delay"), "--delay takes a number of seconds from 0 to 3600");
  line.addValue(QStringLiteral("refusal-wait"),
                "--refusal-wait takes a number of seconds from 0 to 120");
  line.addFlag(QStringLiteral("find-emails"));
  line.addFlag(QStringLiteral("load-images"));
  addFetchOptions(line);
  addBatchOptions(line);
  if (const auto status = line.parse(context.args, context)) return *status;

  CaptureOptions options;
  for (auto [name, target] :
       {std::pair{"output", &options.output}, std::pair{"journal", &options.journal},
        std::pair{"resume", &options.resume}}) {
    if (!line.isSet(QString::fromLatin1(name))) continue;
    const auto value = line.nonEmpty(QString::fromLatin1(name), context);
    if (!value) return kExitUsage;
    *target = *value;
  }
  const auto maxPages = line.number(QStringLiteral("max-pages"), 1, 1'000'000, 0, context);
  if (!maxPages) return kExitUsage;
  options.maxPages = *maxPages;
  const auto fetch = readFetchOptions(line, context);
  if (!fetch) return kExitUsage;
  options.fetch = *fetch;
  const auto concurrency = line.number(QStringLiteral("lookup-concurrency"), 1, 64, 8, context);
  if (!concurrency) return kExitUsage;
  options.lookupConcurrency = *concurrency;
  const auto delay = line.seconds(QStringLiteral("delay"), 0, 3600, options.delay, context);
  if (!delay) return kExitUsage;
  options.delay = *delay;
  const auto refusalWait =
      line.seconds(QStringLiteral("refusal-wait"), 0, 120, options.refusalWait, context);
  if (!refusalWait) return kExitUsage;
  options.refusalWait = *refusalWait;
  options.findEmails = line.isSet(QStringLiteral("find-emails"));
  options.loadImages = line.isSet(QStringLiteral("load-images"));

  const std::vector<std::string> addresses = line.positional();
  if (addresses.size() > 1) return line.fail(context, "only one URL or FILE may be given");
  if (!options.resume.empty()) {
    // The journal says where the run goes on, and how.
    if (line.isSet(QStringLiteral("site")) || line.isSet(QStringLiteral("profile")) ||
        !addresses.empty() || !options.journal.empty() || wantsBatch(line)) {
      return line.fail(context, "--resume takes the site, the addresses and the journal from FILE");
    }
    return options;
  }
  const bool byProfile = line.isSet(QStringLiteral("profile"));
  if (byProfile && line.isSet(QStringLiteral("site"))) {
    return line.fail(context, "--site and --profile exclude each other");
  }
  if (wantsBatch(line) && !addresses.empty()) {
    return line.fail(context, "a URL or FILE and a list of searches exclude each other");
  }
  if ((!line.isSet(QStringLiteral("site")) && !byProfile) ||
      (addresses.empty() && !wantsBatch(line))) {
    return line.fail(context, "--site (or --profile) and a URL or FILE are required", true);
  }
  if (byProfile) {
    options.profile =
        loadProfileOption(line.value(QStringLiteral("profile")), "capture", context.err);
    if (!options.profile) return kExitFailure;
    options.mode = "profile";
  } else {
    options.mode = line.value(QStringLiteral("site"));
    if (!capture::runModeFor(options.mode)) return line.failOption(context, QStringLiteral("site"));
  }
  if (wantsBatch(line)) {
    auto list = readBatchOptions(line, context);
    if (const int* status = std::get_if<int>(&list)) return *status;
    options.batch = std::move(std::get<BatchList>(list));
    return options;
  }
  options.address = addresses.front();
  return options;
}

}  // namespace quillon::cli
