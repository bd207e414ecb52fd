// "capture --find-emails": the Canadian fixture search, every business website answered by a
// server of the test (through --connect-to), each with its e-mail written another way.

#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
#include "cli/Command.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <map>
#include <mutex>
#include <thread>

namespace quillon::cli {
namespace {

// The businesses' own websites, told apart by the Host header.
class Websites {
 public:
  Websites() {
    m_server.set_keep_alive_max_count(1);
    m_server.Get(R"(/.*)", [this](const httplib::Request& request, httplib::Response& response) {
      const std::string host = request.get_header_value("Host");
      {
        const std::lock_guard lock(m_mutex);
        ++requests[host];
      }
      response.set_content(pageFor(host, request.path), "text/html");
    });
    port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
  }
  ~Websites() {
    m_server.stop();
    m_thread.join();
  }

  static std::string pageFor(const std::string& host, const std::string& path) {
    if (host == "www.mapleleafbakery.ca") {
      return R"(<p>Fresh bread. <a href="mailto:hello@mapleleafbakery.ca?subject=Order">Write</a></p>)";
    }
    if (host == "www.stlawrencedeli.ca") {
      if (path == "/contact") return "<p>Orders: orders [at] stlawrencedeli [dot] ca</p>";
      return R"(<p>Deli</p><a href="/contact">Contact us</a>)";
    }
    return "<p>No address here.</p>";
  }

  int port = 0;
  std::map<std::string, int> requests;

 private:
  httplib::Server m_server;
  std::thread m_thread;
  std::mutex m_mutex;
};

TEST(FindEmails, RowsWithAWebsiteAndNoEmailGetTheWebsitesEmailInColumnNine) {
  Websites websites;
  testing::FixtureServer directory;
  directory.start();
  const auto run = testing::runWith({"capture", "--site", "ca", directory.url("/ca/page1.html"),
                                     "--find-emails", "--lookup-concurrency", "3", "--connect-to",
                                     "::127.0.0.1:" + std::to_string(websites.port)});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  std::vector<std::vector<std::string>> rows;
  ASSERT_TRUE(testing::parseJsonRows(run.out, rows)) << run.out;
  std::map<std::string, std::string> emails;
  for (const auto& row : rows) emails[row[0]] = row[9];
  EXPECT_EQ(emails["Maple Leaf Bakery"], "hello@mapleleafbakery.ca");
  EXPECT_EQ(emails["St. Lawrence Deli"], "orders@stlawrencedeli.ca");  // from its contact page
  EXPECT_EQ(emails["Rocky Mountain Coffee"], "");
  // A row with an e-mail of its own (column 7) is not searched.
  EXPECT_EQ(websites.requests.count("www.boulangeriechateau.ca"), 0u);
  EXPECT_EQ(websites.requests["www.stlawrencedeli.ca"], 2);
}

TEST(FindEmails, TheConcurrencyIsANumberFromOneOn) {
  for (const char* bad : {"0", "65", "x"}) {
    EXPECT_EQ(
        testing::runWith({"capture", "--site", "ca", "x.html", "--lookup-concurrency", bad}).status,
        kExitUsage)
        << bad;
  }
}

}  // namespace
}  // namespace quillon::cli
