#include "cli/BatchOptions.h"

#include "batch/BatchError.h"
#include "batch/ListText.h"
#include "batch/SearchList.h"
#include "batch/Shard.h"
#include "cli/InputReader.h"

namespace quillon::cli {

const char* const kBatchOptionsHelp =
    "  --searches FILE   read a list of searches instead of one URL: one start address\n"
    "                    a line (http or https; blank lines and lines starting with #\n"
    "                    are skipped; - reads standard input), one after another into\n"
    "                    one table; --max-pages and the loop guard apply to each search\n"
    "  --search-template TEMPLATE\n"
    "                    with --values FILE: each line of FILE, percent-encoded, takes\n"
    "                    the place of every {} of the template, one search a value\n"
    "  --values FILE     the values for --search-template (UTF-8, as --searches)\n"
    "  --shard K/N       read only the searches whose position p (from 1) has\n"
    "                    (p - 1) mod N = K - 1, so that N copies with K = 1 to N share\n"
    "                    a list; merge their outputs with quillon-cli merge\n";

void addBatchOptions(CommandLine& line) {
  line.addValue(QStringLiteral("searches"), "--searches takes a file of start addresses");
  line.addValue(QStringLiteral("search-template"),
                "--search-template takes an address with {} where each value goes");
  line.addValue(QStringLiteral("values"), "--values takes a file of values, one a line");
  line.addValue(QStringLiteral("shard"), "--shard takes K/N, as in 2/5");
}

bool wantsBatch(const CommandLine& line) {
  for (const char* name : {"searches", "search-template", "values", "shard"}) {
    if (line.isSet(QString::fromLatin1(name))) return true;
  }
  return false;
}

std::variant<BatchList, int> readBatchOptions(const CommandLine& line, CommandContext& context) {
  const bool list = line.isSet(QStringLiteral("searches"));
  const bool byTemplate = line.isSet(QStringLiteral("search-template"));
  if (list && byTemplate) {
    return line.fail(context, "--searches and --search-template exclude each other");
  }
  if (byTemplate != line.isSet(QStringLiteral("values"))) {
    return line.fail(context, "--search-template and --values go together");
  }
  if (!list && !byTemplate) {
    return line.fail(context, "--shard splits a list: give --searches or --search-template");
  }
  const auto file = line.nonEmpty(QString::fromLatin1(list ? "searches" : "values"), context);
  if (!file) return kExitUsage;
  const auto bytes = readInput(*file, context.in, context.err);
  if (!bytes) return kExitFailure;
  const std::string name = *file == "-" ? "standard input" : *file;
  BatchList batch;
  try {
    const batch::ListText text = batch::readListText(*bytes);
    // A file in another encoding is read on, each bad byte as U+FFFD, and said once.
    if (const std::string problem = batch::notUtf8Problem(text, name); !problem.empty()) {
      context.err << "quillon-cli capture: warning: " << problem << "\n";
    }
    const std::vector<std::string> addresses =
        list ? batch::searchesFromList(text, name)
             : batch::searchesFromTemplate(line.value(QStringLiteral("search-template")), text,
                                           name);
    std::optional<batch::Shard> shard;
    if (line.isSet(QStringLiteral("shard"))) {
      shard = batch::parseShard(line.value(QStringLiteral("shard")));
      batch.shard = shard->text();
    }
    batch.searches = batch::searchesOfShard(addresses, shard);
    batch.listSize = static_cast<int>(addresses.size());
  } catch (const batch::BatchError& error) {
    return line.fail(context, error.what());
  }
  return batch;
}

}  // namespace quillon::cli
