// The auto mode end to end: the schema.org fixture site served on 127.0.0.1, read by
// "capture --site auto" and "listings" in the offscreen browser.

#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
#include "cli/Command.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace quillon::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing::FixtureServer;
using testing::runWith;

Rows fixtureRows(const std::string& name) {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/auto/" + name, std::ios::binary);
  const std::string json((std::istreambuf_iterator<char>(in)), {});
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(json, rows)) << name;
  return rows;
}

Rows sorted(Rows rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

Rows printedRows(const std::string& out) {
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(out, rows)) << out;
  return rows;
}

TEST(AutoCapture, ReadsTheWholeSearchAndSaysWhyItEnded) {
  FixtureServer server;
  server.start();
  const auto run = runWith({"capture", "--site", "auto", server.url("/auto/page1.html")});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  Rows expected;
  for (const char* page : {"page1.rows.json", "page2.rows.json", "page3.rows.json"}) {
    for (auto& row : fixtureRows(page)) expected.push_back(row);
  }
  EXPECT_EQ(sorted(printedRows(run.out)), sorted(expected));
  EXPECT_NE(run.err.find("page 3: 3 new rows, 10 in the table"), std::string::npos) << run.err;
  // Page 3's next link leads back to page 1: the run ends instead of going round.
  EXPECT_NE(run.err.find("stopped: next page already read\n"), std::string::npos) << run.err;
  // Page 1's broken JSON-LD block is named once, and the run goes on.
  const std::string warning = "warning: JSON-LD block 3 of " + server.url("/auto/page1.html");
  EXPECT_NE(run.err.find(warning), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(warning), run.err.rfind(warning)) << run.err;
}

TEST(AutoCapture, ASummaryPageIsReadThroughItsDetailPages) {
  FixtureServer server;
  server.start();
  const auto run = runWith({"capture", "--site", "auto", server.url("/auto/summary.html")});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(sorted(printedRows(run.out)), sorted(fixtureRows("summary.rows.json")));
  EXPECT_NE(run.err.find("stopped: no next page"), std::string::npos) << run.err;
}

TEST(AutoCapture, ListingsPrintsOnePagesRowsInTheirOrder) {
  FixtureServer server;
  server.start();
  const auto page = runWith({"listings", server.url("/auto/page2.html")});
  EXPECT_EQ(page.status, kExitOk) << page.err;
  EXPECT_EQ(printedRows(page.out), fixtureRows("page2.rows.json"));

  const auto summary = runWith({"listings", server.url("/auto/summary.html")});
  EXPECT_EQ(summary.status, kExitOk) << summary.err;
  EXPECT_EQ(summary.out, "[]\n");
  EXPECT_NE(summary.err.find("--follow-details"), std::string::npos) << summary.err;
  const auto details = runWith({"listings", "--follow-details", server.url("/auto/summary.html")});
  EXPECT_EQ(printedRows(details.out), fixtureRows("summary.rows.json"));

  EXPECT_EQ(runWith({"listings"}).status, kExitUsage);
  EXPECT_EQ(runWith({"listings", "a", "b"}).status, kExitUsage);
  EXPECT_EQ(runWith({"listings", "--connect-to", "x:1", "a"}).status, kExitUsage);
}

// Polish, Greek, Russian and Turkish names, and an emoji, reach the rows and the file as the
// page wrote them.
TEST(AutoCapture, KeepsEveryScriptFromPageToFile) {
  FixtureServer server;
  server.start();
  const Rows expected = fixtureRows("scripts.rows.json");
  const auto rows = runWith({"capture", "--site", "auto", server.url("/auto/scripts.html")});
  EXPECT_EQ(rows.status, kExitOk) << rows.err;
  EXPECT_EQ(sorted(printedRows(rows.out)), sorted(expected));

  const quillon::testing::TemporaryFolder folder;
  const std::string csv = folder.file("scripts.csv");
  const auto saved =
      runWith({"capture", "--site", "auto", server.url("/auto/scripts.html"), "--output", csv});
  EXPECT_EQ(saved.status, kExitOk) << saved.err;
  std::ifstream in(csv, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), {});
  for (const auto& row : expected) {
    std::string line;
    for (std::size_t column = 0; column < row.size(); ++column) {
      // The telephones start with "+", which the file guards from spreadsheets' formulas.
      if (column > 0) line += ',';
      if (column == 3) line += '\'';
      line += row[column];
    }
    EXPECT_NE(written.find(line + "\r\n"), std::string::npos) << written;
  }
}

}  // namespace
}  // namespace quillon::cli
