#include "webfetch/EmailLookup.h"
#include "webfetch/FetchTestSupport.h"
#include "webfetch/LoopbackServer.h"

#include <atomic>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace quillon::webfetch::testing {
namespace {

using ::testing::ElementsAre;

const std::string kListing =
    "<html><body>\r\n<h1>Rossi S.r.l.</h1>\r\n"
    "<a href=\"mailto:info@rossi-srl.it\">scrivici</a>\r\n</body></html>\r\n";

class EmailLookupTest : public ::testing::Test {
 protected:
  EmailLookupTest()
      : server([this](const Request& request, Connection& connection) {
          const auto found = pages.find(request.target);
          connection.send(found != pages.end() ? found->second
                                               : httpResponse(404, "write to lost@rossi-srl.it"));
        }) {}

  std::string lookup(std::string_view path) {
    return fetchEmailfromHTTP(webData, server.url(path));
  }

  std::map<std::string, std::string> pages = {
      {"/listing", httpResponse(200, kListing)},
      {"/other", httpResponse(200, "contact: sales@bianchi.it.")},
      {"/error", httpResponse(500, "<p>Errore</p>\nsupport@verdi.com\n")},
      {"/lf", httpResponse(200, "line one\nline two\nmail@lf-only.it")},
      {"/cr", httpResponse(200, "line one\rmail@cr-only.it\rlast")},
      {"/nul", httpResponse(200, std::string("no address here\0info@hidden.it\n", 32))},
      {"/nul-after", httpResponse(200, std::string("info@shown.it\0tail@hidden.it", 28))},
      {"/empty", httpResponse(200, "")},
      {"/plain", httpResponse(200, "<html>no address at all</html>")},
      {"/moved", httpResponse(301, "", "Location: /other\r\n")},
  };
  CountingPump pump;
  TWebData webData{pump, {}, fastLimits()};
  LoopbackServer server;
};

TEST_F(EmailLookupTest, FindsTheAddressOnThePageMarkupIncluded) {
  EXPECT_EQ(lookup("/listing"), "info@rossi-srl.it");
  EXPECT_EQ(lookup("/other"), "sales@bianchi.it");
  EXPECT_EQ(lookup("/moved"), "sales@bianchi.it");
  // The lookup uses the first item and leaves the address in it.
  ASSERT_EQ(webData.Data.size(), 1u);
  EXPECT_EQ(webData.Data[0].URL, server.url("/moved"));
}

TEST_F(EmailLookupTest, AStatus404YieldsNoAddressAndA500IsSearched) {
  EXPECT_EQ(lookup("/missing"), "");
  EXPECT_EQ(lookup("/error"), "support@verdi.com");
}

TEST_F(EmailLookupTest, LoneLineBreaksAndTheLastLineReachTheFinder) {
  EXPECT_EQ(lookup("/lf"), "mail@lf-only.it");
  EXPECT_THAT(webData.PageLines, ElementsAre("line one", "line two", "mail@lf-only.it"));
  EXPECT_EQ(lookup("/cr"), "mail@cr-only.it");
  EXPECT_THAT(webData.PageLines, ElementsAre("line one", "mail@cr-only.it", "last"));
}

TEST_F(EmailLookupTest, TheTextEndsAtANul) {
  EXPECT_EQ(lookup("/nul"), "");
  EXPECT_EQ(lookup("/nul-after"), "info@shown.it");
}

TEST_F(EmailLookupTest, APageWithoutAddressOrWithoutBodyYieldsNone) {
  EXPECT_EQ(lookup("/plain"), "");
  EXPECT_EQ(lookup("/empty"), "");
}

TEST_F(EmailLookupTest, AFailedLookupNeverReturnsTheAddressOfAnEarlierPage) {
  EXPECT_EQ(lookup("/missing"), "");  // before any success
  for (const char* failing : {"/missing", "/empty", "/nul"}) {
    ASSERT_EQ(lookup("/listing"), "info@rossi-srl.it");
    EXPECT_EQ(lookup(failing), "") << failing;
  }
  ASSERT_EQ(lookup("/listing"), "info@rossi-srl.it");
  EXPECT_EQ(fetchEmailfromHTTP(webData, "file:///etc/hosts"), "");
  ASSERT_EQ(lookup("/listing"), "info@rossi-srl.it");
  EXPECT_EQ(fetchEmailfromHTTP(webData, "http://127.0.0.1:1/"), "");
}

TEST_F(EmailLookupTest, ALookupMadeWhileAnotherWaitsDoesNotLendItsAddress) {
  // A handler run by the pump looks up another listing before the outer fetch fails.
  std::string inner;
  pump.action = [&](int calls) {
    if (calls == 1) inner = lookup("/listing");
  };
  EXPECT_EQ(lookup("/missing"), "");
  EXPECT_EQ(inner, "info@rossi-srl.it");
}

TEST_F(EmailLookupTest, ADisabledItemIsNotFetched) {
  ASSERT_EQ(lookup("/listing"), "info@rossi-srl.it");
  webData.Data[0].Enable = false;
  EXPECT_EQ(lookup("/other"), "");
  EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(EmailLookupTest, TheDirectoryHostReachesTheLocalServerThroughAnOverride) {
  const std::string port = std::to_string(server.port());
  webData.setHostOverrides({"www.paginegialle.it:" + port + ":127.0.0.1"});
  EXPECT_EQ(fetchEmailfromHTTP(webData, "http://www.paginegialle.it:" + port + "/listing"),
            "info@rossi-srl.it");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].header("Host"), "www.paginegialle.it:" + port);
}

TEST_F(EmailLookupTest, ConcurrentLookupsFindWhatSequentialLookupsFind) {
  // Later pages answer sooner, so that the lookups end in another order than they began.
  std::atomic<int> active{0};
  std::atomic<int> most{0};
  LoopbackServer slow([&](const Request& request, Connection& connection) {
    const int now = ++active;
    for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
    }
    const auto found = pages.find(request.target.substr(0, request.target.find('?')));
    const std::size_t equals = request.target.find('=');
    const int delay =
        equals == std::string::npos ? 0 : std::stoi(request.target.substr(equals + 1));
    connection.wait(std::chrono::milliseconds(delay));
    --active;
    connection.send(found != pages.end() ? found->second
                                         : httpResponse(404, "write to lost@rossi-srl.it"));
  });
  std::vector<std::string> urls;
  int delay = 400;
  for (const char* path : {"/listing", "/other", "/error", "/lf", "/cr", "/nul", "/nul-after",
                           "/empty", "/plain", "/moved", "/missing", "/listing"}) {
    urls.push_back(slow.url(std::string(path) + "?delay=" + std::to_string(delay)));
    delay -= 30;
  }
  urls.push_back("file:///etc/hosts");
  urls.push_back("http://127.0.0.1:1/");

  std::vector<std::string> sequential;
  for (const std::string& url : urls) sequential.push_back(fetchEmailfromHTTP(webData, url));
  ASSERT_EQ(sequential[0], "info@rossi-srl.it");
  most = 0;

  FetchQueue queue(pump, webData.Agent, {}, fastLimits(), FetchQueueOptions{4, {}});
  std::vector<std::string> concurrent(urls.size(), "not reported");
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < urls.size(); ++i) {
    lookupEmailLater(queue, urls[i], [&, i](std::string email) {
      concurrent[i] = std::move(email);
      order.push_back(i);
    });
  }
  queue.wait();
  EXPECT_EQ(concurrent, sequential);
  EXPECT_EQ(order.size(), urls.size());
  EXPECT_FALSE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(most.load(), 4);
}

}  // namespace
}  // namespace quillon::webfetch::testing
