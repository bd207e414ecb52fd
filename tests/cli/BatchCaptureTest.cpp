// Lists of searches end to end over the Canadian fixture site on 127.0.0.1: one table across
// searches, the progress and the summary, a search whose first page fails, two shards merged
// to the whole batch, a batch killed and resumed, and lists that cannot run.

#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
#include "KilledTool.h"
#include "cli/Command.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace quillon::cli {
namespace {

using namespace std::chrono_literals;
using Rows = std::vector<std::vector<std::string>>;
using testing::runWith;

Rows sorted(Rows rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

Rows rowsOf(const std::string& json) {
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(json, rows)) << json;
  return rows;
}

// Every row of the site's search: search 1 reads pages 2 and 3, search 2 pages 1 to 3 (all
// of search 1's businesses again), search 3 has no first page.
Rows everyRow() {
  Rows rows = testing::readTsvRows(std::string(QUILLON_FIXTURES) + "/ca/rows.tsv");
  for (auto& row : rows) row.resize(10);
  return sorted(rows);
}

struct Batch {
  Batch() {
    // The first page of search 2 is slow after the first time it is asked for, so that a
    // kill lands while it loads; page 2's second asking (search 2's page 2) likewise.
    server.routes().set_pre_routing_handler([this](const auto& request, auto&) {
      if (request.path == "/ca/page1.html" && ++page1Requests > 1)
        std::this_thread::sleep_for(1500ms);
      if (request.path == "/ca/page2.html" && ++page2Requests > 2)
        std::this_thread::sleep_for(1500ms);
      return httplib::Server::HandlerResponse::Unhandled;
    });
    server.start();
    std::ofstream(list) << "# Canadian bakeries\n"
                        << server.url("/ca/page2.html") << "\n\n"
                        << server.url("/ca/page1.html") << "\r\n"
                        << server.url("/ca/missing.html") << "\n";
    std::ofstream(values) << "page2.html\npage1.html\nmissing.html\n";
  }
  std::string url(int search) const {
    return server.url(search == 1   ? "/ca/page2.html"
                      : search == 2 ? "/ca/page1.html"
                                    : "/ca/missing.html");
  }

  testing::FixtureServer server;
  std::atomic<int> page1Requests{0};
  std::atomic<int> page2Requests{0};
  quillon::testing::TemporaryFolder folder;
  std::string list = folder.file("list.txt");
  std::string values = folder.file("values.txt");
};

TEST(BatchCapture, SearchesShareOneTableAndEachSaysHowItEnded) {
  Batch batch;
  const auto run = runWith({"capture", "--site", "ca", "--searches", batch.list});
  EXPECT_EQ(run.status, kExitFailure) << run.err;  // search 3 failed
  EXPECT_EQ(sorted(rowsOf(run.out)), everyRow());
  std::string said;  // the batch's own lines, without the pages'
  for (std::size_t at = 0, end; (end = run.err.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string line = run.err.substr(at, end - at);
    if (!line.starts_with("page ")) said += line + "\n";
  }
  EXPECT_EQ(said, "search 1 of 3: " + batch.url(1) + "\n" +
                      "search 1: 5 rows, stopped: no next page\n"
                      "search 2 of 3: " +
                      batch.url(2) + "\n" +
                      "search 2: 2 rows, stopped: no next page\n"
                      "search 3 of 3: " +
                      batch.url(3) + "\n" + "search 3: 0 rows, failed: could not load " +
                      batch.url(3) + ": HTTP status 404\n" +
                      "3 searches: 2 read to their end, 1 failed; 7 rows\n");
}

// The template's shards in three formats; their merge equals the whole batch, row for row.
TEST(BatchCapture, TwoShardsMergeToTheWholeBatch) {
  Batch batch;
  const std::string searchTemplate = batch.server.url("/ca/{}");
  const auto part = [&](const char* shard, const std::string& output) {
    return runWith({"capture", "--site", "ca", "--search-template", searchTemplate, "--values",
                    batch.values, "--shard", shard, "--output", batch.folder.file(output)});
  };
  const auto first = part("1/2", "shard1.xlsx");
  EXPECT_EQ(first.status, kExitFailure);  // search 3 is in it
  EXPECT_NE(first.err.find("shard 1/2: 2 of the 3 searches\n"), std::string::npos) << first.err;
  EXPECT_NE(first.err.find("search 3 of 3: "), std::string::npos) << first.err;
  EXPECT_EQ(first.err.find("search 2 of 3: "), std::string::npos) << first.err;
  const auto second = part("2/2", "shard2.csv");
  EXPECT_EQ(second.status, kExitOk) << second.err;
  EXPECT_NE(second.err.find("1 search: 1 read to its end, 0 failed; 7 rows\n"), std::string::npos)
      << second.err;
  const auto whole = runWith({"capture", "--site", "ca", "--searches", batch.list});

  const auto merged =
      runWith({"merge", batch.folder.file("shard1.xlsx"), batch.folder.file("shard2.csv")});
  EXPECT_EQ(merged.status, kExitOk) << merged.err;
  EXPECT_EQ(rowsOf(merged.out), rowsOf(whole.out));
  EXPECT_NE(merged.err.find("shard2.csv: 7 rows, 2 new\n"), std::string::npos) << merged.err;

  // The merge's own outputs merge again; an input that is no file of rows is named.
  const std::string json = batch.folder.file("merged.json");
  EXPECT_EQ(runWith({"merge", batch.folder.file("shard2.csv"), "--output", json}).status, kExitOk);
  EXPECT_EQ(rowsOf(runWith({"merge", json, batch.folder.file("shard1.xlsx")}).out),
            rowsOf(whole.out));
  const auto missing = runWith({"merge", json, batch.list + ".csv"});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_NE(missing.err.find("cannot read " + batch.list + ".csv"), std::string::npos);
  std::ofstream(batch.list + ".csv") << "https://a.example/\n";
  const auto notRows = runWith({"merge", json, batch.list + ".csv"});
  EXPECT_EQ(notRows.status, kExitFailure);
  EXPECT_TRUE(notRows.err.ends_with("quillon-cli merge: " + batch.list +
                                    ".csv is not a file of ten-column rows: line 1 has 1 field, "
                                    "not ten\n"))
      << notRows.err;
  EXPECT_EQ(runWith({"merge"}).status, kExitUsage);
}

TEST(BatchCapture, AListThatCannotRunIsABadArgument) {
  quillon::testing::TemporaryFolder folder;
  const auto file = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(folder.file(name), std::ios::binary) << bytes;
    return folder.file(name);
  };
  const std::string good = file("good.txt", "https://a.example/1\n");
  const auto refused = [](std::vector<std::string> args) {
    args.insert(args.begin(), {"capture", "--site", "ca"});
    const auto run = runWith(args);
    EXPECT_EQ(run.status, kExitUsage) << run.err;
    return run.err;
  };
  const std::string empty = file("empty.txt", "# nothing yet\n\n");
  EXPECT_EQ(refused({"--searches", empty}),
            "quillon-cli capture: " + empty + " holds no start address (only blank and # lines)\n");
  const std::string ftp = file("ftp.txt", "https://a.example/1\nftp://a.example/2\n");
  EXPECT_EQ(refused({"--searches", ftp}), "quillon-cli capture: line 2 of " + ftp +
                                              " is not an http(s) address: ftp://a.example/2\n");
  EXPECT_EQ(refused({"--search-template", "https://a.example/s?where=", "--values", good}),
            "quillon-cli capture: the search template has no {} for the values to go in: "
            "https://a.example/s?where=\n");
  for (const char* shard : {"0/3", "4/3"}) {
    EXPECT_EQ(refused({"--searches", good, "--shard", shard}),
              std::string("quillon-cli capture: the shard ") + shard +
                  " does not exist: K/N takes K from 1 to N\n");
  }
  // Values in another encoding are read on, said once; a bad template still stops the run.
  const std::string latin1 = file("towns.txt", "Madrid\nM\xE1laga\n");
  EXPECT_EQ(refused({"--search-template", "ftp://a.example/{}", "--values", latin1}),
            "quillon-cli capture: warning: " + latin1 +
                " is not UTF-8: line 2 reads \"M\xEF\xBF\xBDlaga\", read with U+FFFD for the "
                "bytes that are not; save it as UTF-8 (for instance with iconv -f WINDOWS-1252 -t "
                "UTF-8)\n"
                "quillon-cli capture: the search template is not an http(s) address: "
                "ftp://a.example/{}\n");
  EXPECT_EQ(refused({"--values", good}),
            "quillon-cli capture: --search-template and --values go together\n");
  EXPECT_EQ(refused({"--searches", good, "--search-template", "https://a.example/{}"}),
            "quillon-cli capture: --searches and --search-template exclude each other\n");
  EXPECT_EQ(refused({"--shard", "1/2", "https://a.example/"}),
            "quillon-cli capture: a URL or FILE and a list of searches exclude each other\n");
  EXPECT_EQ(runWith({"capture", "--resume", good, "--searches", good}).status, kExitUsage);
  // A list that cannot be read is unreadable input, as a page file is.
  EXPECT_EQ(runWith({"capture", "--site", "ca", "--searches", folder.file("none.txt")}).status,
            kExitFailure);
}

// Killed between two searches (search 2's first page asked for), then in the middle of
// search 2 (its page 2 asked for): each resume goes on with the first search not read to its
// end, at its first unread page, and ends with the rows of an uninterrupted batch.
TEST(BatchCapture, AKilledBatchResumesToTheRowsOfAnUninterruptedOne) {
  Batch batch;
  const std::string journal = batch.folder.file("batch.qjournal");
  testing::runAndKillWhen(
      {QStringLiteral("capture"), QStringLiteral("--site"), QStringLiteral("ca"),
       QStringLiteral("--searches"), QString::fromStdString(batch.list),
       QStringLiteral("--journal"), QString::fromStdString(journal)},
      [&](const QString&) { return batch.page1Requests > 0; });
  const auto summary = runWith({"journal", journal});
  EXPECT_NE(summary.out.find("  search 1: read to its end (no next page), 5 rows: " + batch.url(1)),
            std::string::npos)
      << summary.out;
  EXPECT_NE(summary.out.find("batch: not ended; next search: 2\n"), std::string::npos)
      << summary.out;

  testing::runAndKillWhen(
      {QStringLiteral("capture"), QStringLiteral("--resume"), QString::fromStdString(journal)},
      [&](const QString&) { return batch.page2Requests > 1; });
  EXPECT_NE(runWith({"journal", journal}).out.find("  search 2: not read to its end, 1 pages read"),
            std::string::npos);

  const auto resumed = runWith({"capture", "--resume", journal});
  EXPECT_EQ(resumed.status, kExitFailure) << resumed.err;
  EXPECT_EQ(sorted(rowsOf(resumed.out)), everyRow());
  EXPECT_NE(resumed.err.find("resuming the batch at search 2 of 3 with 7 rows\nsearch 2 of 3: " +
                             batch.url(2) + "\npage 2: 0 new rows, 7 in the table\n"),
            std::string::npos)
      << resumed.err;
  EXPECT_NE(resumed.err.find("3 searches: 2 read to their end, 1 failed; 7 rows\n"),
            std::string::npos);
  const auto again = runWith({"capture", "--resume", journal});
  EXPECT_EQ(sorted(rowsOf(again.out)), everyRow());
  EXPECT_NE(again.err.find("the batch in " + journal +
                           " ended: 3 searches: 2 read to their end, 1 failed; 7 rows"),
            std::string::npos)
      << again.err;
}

}  // namespace
}  // namespace quillon::cli
