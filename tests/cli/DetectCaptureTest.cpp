// Detection end to end: the fixture directories without structured data (or with thin data)
// served on 127.0.0.1, read by "capture --site auto", "detect" and "listings" in the offscreen
// browser, where their scripts run (a "load more" button, "Ver teléfono" buttons).

#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
#include "cli/Command.h"
#include "profiles/ProfileFile.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace quillon::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing::FixtureServer;
using testing::runWith;

Rows sortedRows(const std::string& json) {
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(json, rows)) << json;
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Every card of every page, into the right columns: a French search whose first page has
// thin JSON-LD (names and abbreviated streets) beside full cards; Australian cards with a
// sponsored card, a tips box and "load more"; Mexican cards whose telephones are behind
// "Ver teléfono"; Italian rows of a table; German cards with tips and related searches.
TEST(DetectCapture, CaptureSiteAutoReadsEveryCardOfEveryPage) {
  FixtureServer server;
  server.start();
  for (const char* site : {"fr", "au", "mx", "it", "de"}) {
    const std::string folder = std::string("/detect/") + site;
    const auto run = runWith({"capture", "--site", "auto", server.url(folder + "/page1.html")});
    EXPECT_EQ(run.status, kExitOk) << site << ": " << run.err;
    EXPECT_EQ(sortedRows(run.out),
              sortedRows(fileText(std::string(QUILLON_FIXTURES) + folder + "/rows.json")))
        << site << ": " << run.err;
    EXPECT_NE(run.err.find("page 2: "), std::string::npos) << site << ": " << run.err;
    EXPECT_NE(run.err.find("stopped: no next page\n"), std::string::npos) << run.err;
  }
}

TEST(DetectCapture, DetectWritesTheProfileAndSaysWhatItReads) {
  FixtureServer server;
  server.start();
  const auto shown = runWith({"detect", server.url("/detect/mx/page1.html")});
  ASSERT_EQ(shown.status, kExitOk) << shown.err;
  const profiles::Profile profile = profiles::parseProfile(shown.out, "stdout");
  EXPECT_EQ(profile.listing, "article.listado-item");
  EXPECT_EQ(profile.reveal, "button[data-id]");
  EXPECT_EQ(profile.hosts, std::vector<std::string>{"127.0.0.1"});
  EXPECT_NE(shown.err.find("3 cards on the page\n"), std::string::npos) << shown.err;
  EXPECT_NE(shown.err.find("Telephone: 3 of 3 listings\n"), std::string::npos) << shown.err;
  EXPECT_NE(shown.err.find("  1. name: Taquería El Fogón; activity: Restaurantes mexicanos; "
                           "phone: 55 5123 4567; street: Av. Insurgentes Sur 1602"),
            std::string::npos)
      << shown.err;

  // The profile written runs as any profile: its reveal buttons are clicked on each page.
  const quillon::testing::TemporaryFolder folder;
  const std::string file = folder.file("detected-mx.json");
  const auto written = runWith({"detect", server.url("/detect/mx/page1.html"), "--output", file});
  ASSERT_EQ(written.status, kExitOk) << written.err;
  EXPECT_EQ(written.out, "");
  const auto captured =
      runWith({"capture", "--profile", file, server.url("/detect/mx/page1.html")});
  EXPECT_EQ(captured.status, kExitOk) << captured.err;
  EXPECT_EQ(sortedRows(captured.out),
            sortedRows(fileText(std::string(QUILLON_FIXTURES) + "/detect/mx/rows.json")));

  const auto none = runWith({"detect", server.url("/auto/summary.html")});
  EXPECT_EQ(none.status, kExitFailure);
  EXPECT_EQ(none.err, "quillon-cli detect: no listings found on this page\n");
  EXPECT_EQ(runWith({"detect"}).status, kExitUsage);
  EXPECT_EQ(runWith({"detect", "a", "b"}).status, kExitUsage);
}

TEST(DetectCapture, ListingsSaysWhereTheRowsComeFrom) {
  FixtureServer server;
  server.start();
  const auto both = runWith({"listings", server.url("/detect/fr/page1.html")});
  EXPECT_EQ(both.status, kExitOk) << both.err;
  EXPECT_NE(both.err.find(
                "read from: structured data (3 listings) and detection (4 cards), 4 businesses\n"),
            std::string::npos)
      << both.err;
  const Rows rows = sortedRows(both.out);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1][0], "Boulangerie Martin");
  EXPECT_EQ(rows[1][3], "01 43 43 12 34");  // the card's telephone in the listing's row
  const auto cards = runWith({"listings", server.url("/detect/de/page2.html")});
  EXPECT_NE(cards.err.find("read from: detection (2 cards)\n"), std::string::npos) << cards.err;
}

}  // namespace
}  // namespace quillon::cli
