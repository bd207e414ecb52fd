#include "webfetch/FakePageReader.h"
#include "webfetch/FetchTestSupport.h"
#include "webfetch/LoopbackServer.h"
#include "webfetch/WebsiteEmailSearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <mutex>

namespace quillon::webfetch::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using ::testing::ElementsAre;

constexpr auto kGap = 300ms;

// Websites by host name and path, all on one server that every host on port 80 reaches.
class WebsiteEmailSearchTest : public ::testing::Test {
 protected:
  WebsiteEmailSearchTest()
      : server([this](const Request& request, Connection& connection) {
          const std::string key = request.header("Host") + request.target;
          {
            const std::lock_guard lock(mutex);
            visits.push_back({key, Clock::now()});
          }
          const auto found = pages.find(key);
          const auto status = statuses.find(key);
          connection.send(
              found != pages.end()
                  ? httpResponse(status != statuses.end() ? status->second : 200, found->second)
                  : httpResponse(404, "write to lost@nowhere.test"));
        }) {}

  std::string find(std::string_view webAddress) {
    FetchQueue queue(pump, "Agent", {{}, {"::127.0.0.1:" + std::to_string(server.port())}},
                     fastLimits(), FetchQueueOptions{8, kGap});
    WebsiteEmailSearch search(queue, readTestPage);
    std::string email = "not reported";
    int calls = 0;
    search.find(webAddress, [&](std::string found) {
      email = std::move(found);
      ++calls;
    });
    queue.wait();
    EXPECT_EQ(calls, 1);
    return email;
  }

  std::vector<std::string> visited() {
    const std::lock_guard lock(mutex);
    std::vector<std::string> keys;
    for (const auto& visit : visits) keys.push_back(visit.first);
    return keys;
  }

  std::map<std::string, std::string> pages;
  std::map<std::string, int> statuses;  // 200 for a page not named here
  std::mutex mutex;
  std::vector<std::pair<std::string, Clock::time_point>> visits;
  CountingPump pump;
  LoopbackServer server;
};

TEST_F(WebsiteEmailSearchTest, AnAddressOnTheHomePageEndsTheSearch) {
  pages["www.rossi.test/"] =
      "<a href=\"mailto:info@rossi.test\">Mail</a><a href=\"/contatti\">Contatti</a>";
  EXPECT_EQ(find("www.rossi.test"), "info@rossi.test");
  EXPECT_THAT(visited(), ElementsAre("www.rossi.test/"));
}

TEST_F(WebsiteEmailSearchTest, FollowsTheFirstTwoContactPagesOfTheSameSiteInTurn) {
  pages["rossi.test/"] =
      "<a href=\"http://other.test/contact\">Contact</a>"
      "<a href=\"/prodotti\">Prodotti</a>"
      "<a href=\"http://www.rossi.test/chi-siamo\">Chi siamo</a>"
      "<a href=\"http://rossi.test/scrivici\">Contatti</a>"
      "<a href=\"/impressum\">Impressum</a>";
  pages["other.test/contact"] = "<p>other@other.test</p>";
  pages["www.rossi.test/chi-siamo"] = "<p>Dal 1950</p>";
  pages["rossi.test/scrivici"] = "<p>info [at] rossi [dot] test</p>";
  pages["rossi.test/impressum"] = "<p>legal@rossi.test</p>";
  EXPECT_EQ(find("rossi.test"), "info@rossi.test");
  EXPECT_THAT(visited(),
              ElementsAre("rossi.test/", "www.rossi.test/chi-siamo", "rossi.test/scrivici"));
  // One site, with or without "www.": one request per gap (measured where they arrive).
  const std::lock_guard lock(mutex);
  EXPECT_GE(visits[1].second - visits[0].second, kGap * 4 / 5);
  EXPECT_GE(visits[2].second - visits[1].second, kGap * 4 / 5);
}

TEST_F(WebsiteEmailSearchTest, GivesUpAfterTwoContactPages) {
  pages["www.rossi.test/"] =
      "<a href=\"/about\">About</a><a href=\"/contact\">Contact</a><a href=\"/kontakt\">K</a>";
  pages["www.rossi.test/about"] = "<p>Since 1950</p>";
  pages["www.rossi.test/kontakt"] = "<p>info@rossi.test</p>";
  EXPECT_EQ(find("http://www.rossi.test/"), "");
  EXPECT_THAT(visited(),
              ElementsAre("www.rossi.test/", "www.rossi.test/about", "www.rossi.test/contact"));
}

// A server's error page names its webmaster, never the business.
TEST_F(WebsiteEmailSearchTest, AnErrorPageGivesNoAddressAndAFailedHomePageNoContactPage) {
  pages["www.rossi.test/"] =
      "<h1>Internal Server Error</h1><p>webmaster@rossi.test</p><a href=\"/contatti\">Contatti</a>";
  statuses["www.rossi.test/"] = 500;
  pages["www.rossi.test/contatti"] = "<p>info@rossi.test</p>";
  EXPECT_EQ(find("www.rossi.test"), "");
  EXPECT_THAT(visited(), ElementsAre("www.rossi.test/"));

  pages["bianchi.test/"] = "<a href=\"/contatti\">Contatti</a><a href=\"/chi-siamo\">Chi siamo</a>";
  pages["bianchi.test/contatti"] = "<p>webmaster@bianchi.test</p>";
  statuses["bianchi.test/contatti"] = 500;
  pages["bianchi.test/chi-siamo"] = "<p>info@bianchi.test</p>";
  EXPECT_EQ(find("bianchi.test"), "info@bianchi.test");
}

TEST_F(WebsiteEmailSearchTest, AContactLinkOfACp1252PageIsFollowed) {
  pages["www.rossi.test/"] = "<a href=\"/equipo\">Qui\xE9nes somos</a>";
  pages["www.rossi.test/equipo"] = "<p>hola@rossi.test</p>";
  EXPECT_EQ(find("www.rossi.test"), "hola@rossi.test");
}

TEST_F(WebsiteEmailSearchTest, AnAddressThatCannotBeFetchedGivesNone) {
  EXPECT_EQ(find("mailto:info@rossi.test"), "");
  EXPECT_EQ(find(""), "");
  EXPECT_TRUE(visited().empty());
}

TEST(WebsiteEmailSearch, CancellingEndsASearchWithNoAddress) {
  LoopbackServer server([](const Request&, Connection& c) { c.hold(); });
  CountingPump pump;
  FetchQueue queue(pump, "Agent", {}, fastLimits(), {});
  WebsiteEmailSearch search(queue, readTestPage);
  std::vector<std::string> emails;
  search.find(server.url("/"), [&](std::string email) { emails.push_back(email); });
  pump.action = [&](int) {
    if (!server.requests().empty()) queue.cancelAll();
  };
  EXPECT_LT(timed([&] { queue.wait(); }), 1s);
  EXPECT_THAT(emails, ElementsAre(""));
}

// Websites that stall, drip, send the client round in redirects, fail, answer garbage or
// hold far more than the cap: every search ends within the limits with no address, side
// by side in one queue.
TEST(WebsiteEmailSearch, BadWebsitesEndWithinTheLimitsWithNoAddress) {
  constexpr std::string_view kHead200 = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";
  LoopbackServer server([&](const Request& request, Connection& c) {
    const std::string host = request.header("Host");
    if (host == "stall.test") {
      c.hold();
    } else if (host == "drip.test") {
      if (!c.send(kHead200)) return;
      for (int i = 0; i < 200 && c.send("<") && c.wait(100ms); ++i) {
      }
    } else if (host == "loop.test") {
      c.send(httpResponse(302, "info@loop.test", "Location: /again" + request.target + "\r\n"));
    } else if (host == "error.test") {
      c.send(httpResponse(500, "<h1>Internal Server Error</h1>"));
    } else if (host == "garbage.test") {
      c.send(std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03 info@garbage.test", 30));
    } else if (host == "huge.test") {
      // 100 MB with the address at the end, where the cap never lets the client read.
      if (!c.send(httpResponse(200, "").substr(0, 0)) ||
          !c.send("HTTP/1.1 200 OK\r\nContent-Length: 104857617\r\n\r\n")) {
        return;
      }
      const std::string block(1 << 20, 'x');
      for (int i = 0; i < 100 && c.send(block); ++i) {
      }
      c.send("info@huge.test\n\n");
    }
  });
  FetchLimits limits = fastLimits();
  limits.maxBodyBytes = 256 * 1024;
  CountingPump pump;
  FetchQueue queue(pump, "Agent", {{}, {"::127.0.0.1:" + std::to_string(server.port())}}, limits,
                   {});
  WebsiteEmailSearch search(queue, readTestPage);
  std::map<std::string, std::string> emails;
  const char* sites[] = {"stall.test", "drip.test",    "loop.test",
                         "error.test", "garbage.test", "huge.test"};
  for (const char* site : sites) {
    search.find(site, [&emails, site](std::string email) { emails[site] = std::move(email); });
  }
  EXPECT_LT(timed([&] { queue.wait(); }), kBound);
  ASSERT_EQ(emails.size(), std::size(sites));
  for (const auto& [site, email] : emails) EXPECT_EQ(email, "") << site;
}

}  // namespace
}  // namespace quillon::webfetch::testing
