#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
#include "cli/Command.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace quillon::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing::FixtureServer;

using testing::CliRun;

CliRun capture(std::vector<std::string> args) {
  args.insert(args.begin(), "capture");
  return testing::runWith(std::move(args));
}

Rows sorted(Rows rows) {
  for (auto& row : rows) row.resize(10);
  std::sort(rows.begin(), rows.end());
  return rows;
}

Rows expectedRows(const std::string& site) {
  return sorted(testing::readTsvRows(std::string(QUILLON_FIXTURES) + "/" + site + "/rows.tsv"));
}

Rows outputRows(const CliRun& run) {
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(run.out, rows)) << run.out;
  return sorted(rows);
}

class CaptureCommandTest : public ::testing::TestWithParam<std::string> {};

// A search over three result pages: every listing with a name, once, in its site's columns.
TEST_P(CaptureCommandTest, CapturesEveryResultPage) {
  FixtureServer server;
  server.start();
  const std::string site = GetParam();
  const auto run = capture({"--site", site, server.url("/" + site + "/page1.html")});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(outputRows(run), expectedRows(site));
  EXPECT_NE(run.err.find("page 3:"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("page 4:"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Sites, CaptureCommandTest, ::testing::Values("es", "au", "ca"));

TEST(CaptureCommand, ItalianRowsCarryTheEmailOfTheirListingPage) {
  // The listing pages live on the directory's host, port 80; an override sends those
  // fetches to a server of the test on a port of its own.
  httplib::Server listings;
  listings.set_mount_point("/", std::string(QUILLON_FIXTURES) + "/it/www.paginegialle.it");
  const int port = listings.bind_to_any_port("127.0.0.1");
  ASSERT_GT(port, 0);
  std::thread thread([&] { listings.listen_after_bind(); });
  FixtureServer server;
  server.start();
  const auto run = capture({"--site", "it", server.url("/it/page1.html"), "--connect-to",
                            "www.paginegialle.it:80:127.0.0.1:" + std::to_string(port)});
  listings.stop();
  thread.join();
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(outputRows(run), expectedRows("it"));
}

TEST(CaptureCommand, MaxPagesAndOutputFile) {
  FixtureServer server;
  server.start();
  const quillon::testing::TemporaryFolder folder;
  const std::string path = folder.file("rows.json");
  const auto run =
      capture({"--site", "ca", server.url("/ca/page1.html"), "--max-pages", "1", "--output", path});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.find("page 2:"), std::string::npos) << run.err;
  std::ifstream file(path, std::ios::binary);
  const std::string json((std::istreambuf_iterator<char>(file)), {});
  Rows rows;
  ASSERT_TRUE(testing::parseJsonRows(json, rows)) << json;
  EXPECT_FALSE(rows.empty());
  EXPECT_LT(rows.size(), expectedRows("ca").size());
}

TEST(CaptureCommand, AnErrorMidRunKeepsTheRowsCaptured) {
  FixtureServer server;
  server.routes().Get("/broken/page1.html", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(
        "<html><body><div class=\"listingTitle\">Joe's Diner</div>"
        "<div class=\"phoneNumber\">416-555-0100</div>"
        "<a href=\"/broken/page2.txt\">Next <b>page</b></a></body></html>",
        "text/html");
  });
  server.routes().Get("/broken/page2.txt", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("not a result page", "text/plain");
  });
  server.start();
  const auto run = capture({"--site", "ca", server.url("/broken/page1.html")});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("Invalid HTML document"), std::string::npos) << run.err;
  Rows rows;
  ASSERT_TRUE(testing::parseJsonRows(run.out, rows)) << run.out;
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], "Joe's Diner");
  EXPECT_EQ(rows[0][3], "416-555-0100");
}

TEST(CaptureCommand, BadArguments) {
  EXPECT_EQ(capture({}).status, kExitUsage);
  EXPECT_EQ(capture({"--site", "es"}).status, kExitUsage);
  EXPECT_EQ(capture({"--site", "fr", "http://x/"}).status, kExitUsage);
  EXPECT_EQ(capture({"--site", "es", "http://x/", "--max-pages", "0"}).status, kExitUsage);
  EXPECT_EQ(capture({"--site", "es", "http://x/", "--resolve", "nonsense"}).status, kExitUsage);
  EXPECT_EQ(capture({"--site", "es", "/nonexistent/page.html"}).status, kExitFailure);
  const auto help = capture({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("--max-pages"), std::string::npos);
}

}  // namespace
}  // namespace quillon::cli
