#include "support/TemporaryFolder.h"
#include "webfetch/FetchTestSupport.h"
#include "webfetch/LoopbackServer.h"
#include "webfetch/TWebData.h"

#include <cstdio>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace quillon::webfetch::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Answers each path with a fixed response; anything else gets a 404.
Handler routes(std::map<std::string, std::string> answers) {
  return [answers = std::move(answers)](const Request& request, Connection& connection) {
    const auto found = answers.find(request.target);
    connection.send(found != answers.end() ? found->second : httpResponse(404, "not here"));
  };
}

std::string redirect(int status, std::string_view location) {
  return httpResponse(status, "moved elsewhere\n", "Location: " + std::string(location) + "\r\n");
}

class WebDataTest : public ::testing::Test {
 protected:
  bool fetch(const std::string& url) {
    webData.Data.assign(1, TWebDataItem{url});
    return webData.Execute();
  }

  CountingPump pump;
  TWebData webData{pump, {}, fastLimits()};
};

TEST_F(WebDataTest, StartsEmptyWithItsAgentAndDefaults) {
  EXPECT_EQ(webData.Agent, "WebData");
  EXPECT_THAT(webData.PageLines, IsEmpty());
  EXPECT_FALSE(webData.Execute());  // no item: nothing to fetch
  const TWebDataItem item;
  EXPECT_TRUE(item.Enable);
  EXPECT_TRUE(item.AutoDelete);
}

TEST_F(WebDataTest, FetchesFromTheServerWithTheAgentAndSplitsTheBody) {
  LoopbackServer server(routes({{"/page", httpResponse(200, "one\r\ntwo\nthree\rfour")}}));
  ASSERT_TRUE(fetch(server.url("/page")));
  EXPECT_THAT(webData.PageLines, ElementsAre("one", "two", "three", "four"));

  const std::vector<Request> requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].header("User-Agent"), "WebData");
  EXPECT_EQ(requests[0].header("Cache-Control"), "no-cache");
  EXPECT_EQ(requests[0].header("Pragma"), "no-cache");

  webData.Agent = "Other agent";
  ASSERT_TRUE(fetch(server.url("/page")));
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(server.requests()[1].header("User-Agent"), "Other agent");
}

TEST_F(WebDataTest, BlanksAndBytesAboveAsciiInTheAddressAreSentEncoded) {
  LoopbackServer server(routes({{"/via%20roma%e8?q=a%20b", httpResponse(200, "found")}}));
  ASSERT_TRUE(fetch(server.url("/via roma\xe8?q=a b")));
  EXPECT_THAT(webData.PageLines, ElementsAre("found"));
}

TEST_F(WebDataTest, AFailedStatusOrAnEmptyBodyKeepsTheEarlierPage) {
  LoopbackServer server(routes({
      {"/good", httpResponse(200, "earlier page\n")},
      {"/forbidden", httpResponse(403, "no\n")},
      // Refused at once each time: the back-off asks without waiting, and gives up.
      {"/unavailable", httpResponse(503, "later\n", "Retry-After: 0\r\n")},
      {"/multiple", httpResponse(300, "choose\n")},
      {"/nowhere", httpResponse(302, "no location\n")},
      {"/empty", httpResponse(200, "")},
      {"/nocontent", "HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n"},
  }));
  ASSERT_TRUE(fetch(server.url("/good")));
  for (const char* path : {"/missing", "/forbidden", "/unavailable", "/multiple", "/nowhere",
                           "/empty", "/nocontent"}) {
    EXPECT_FALSE(fetch(server.url(path))) << path;
    EXPECT_THAT(webData.PageLines, ElementsAre("earlier page")) << path;
  }
}

TEST_F(WebDataTest, Status500IsReadLike200) {
  LoopbackServer server(routes({{"/error", httpResponse(500, "server error page\nline 2")}}));
  ASSERT_TRUE(fetch(server.url("/error")));
  EXPECT_THAT(webData.PageLines, ElementsAre("server error page", "line 2"));
}

TEST_F(WebDataTest, FollowsRedirectsAndReadsOnlyTheFinalBody) {
  LoopbackServer server(routes({
      {"/301", redirect(301, "/302")},
      {"/302", redirect(302, "/303")},
      {"/303", redirect(303, "/307")},
      {"/307", redirect(307, "/308")},
      {"/308", redirect(308, "/final")},
      {"/final", httpResponse(200, "arrived")},
      {"/lost", redirect(302, "/missing")},
      {"/to500", redirect(302, "/error")},
      {"/error", httpResponse(500, "error page")},
  }));
  ASSERT_TRUE(fetch(server.url("/301")));
  EXPECT_THAT(webData.PageLines, ElementsAre("arrived"));
  EXPECT_EQ(server.requests().size(), 6u);

  EXPECT_FALSE(fetch(server.url("/lost")));
  EXPECT_THAT(webData.PageLines, ElementsAre("arrived"));
  ASSERT_TRUE(fetch(server.url("/to500")));
  EXPECT_THAT(webData.PageLines, ElementsAre("error page"));
}

TEST_F(WebDataTest, ARedirectLoopEndsAfterTheLimitAndFails) {
  LoopbackServer server(routes({{"/loop", redirect(302, "/loop")}}));
  bool fetched = true;
  EXPECT_LT(timed([&] { fetched = fetch(server.url("/loop")); }), kBound);
  EXPECT_FALSE(fetched);
  EXPECT_EQ(static_cast<long>(server.requests().size()), webData.limits().maxRedirects + 1);
  EXPECT_THAT(webData.PageLines, IsEmpty());
}

TEST_F(WebDataTest, FetchesEnabledItemsInOrderAndKeepsTheLastPageFetched) {
  LoopbackServer server(routes({
      {"/a", httpResponse(200, "page a")},
      {"/b", httpResponse(200, "page b")},
      {"/c", httpResponse(200, "page c")},
  }));
  webData.Data = {{server.url("/a")}, {server.url("/b"), false}, {server.url("/c")}};
  EXPECT_TRUE(webData.Execute());
  EXPECT_THAT(webData.PageLines, ElementsAre("page c"));
  const std::vector<Request> requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].target, "/a");
  EXPECT_EQ(requests[1].target, "/c");

  // The last enabled item fails: the page of the one before stays, and Execute says so.
  webData.Data = {{server.url("/b")}, {server.url("/missing")}, {server.url("/a"), false}};
  EXPECT_FALSE(webData.Execute());
  EXPECT_THAT(webData.PageLines, ElementsAre("page b"));
}

TEST_F(WebDataTest, RefusesEverySchemeButHttpAndHttps) {
  LoopbackServer server(routes({{"/page", httpResponse(200, "served")}}));
  const std::string local = "127.0.0.1:" + std::to_string(server.port()) + "/page";
  const quillon::testing::TemporaryFolder folder;
  const std::string file = folder.file("refused.html");
  std::ofstream(file) << "file page info@file.test\n";

  for (const std::string& url :
       {"file://" + file, "FILE://" + file, std::string("javascript:alert(1)"), "ftp://" + local,
        "gopher://" + local, "dict://" + local, "telnet://" + local, local, "//" + local,
        "httpx://" + local, "http:/" + local}) {
    EXPECT_FALSE(fetch(url)) << url;
  }
  EXPECT_THAT(webData.PageLines, IsEmpty());
  EXPECT_THAT(server.requests(), IsEmpty());

  ASSERT_TRUE(fetch("HTTP://" + local));
  EXPECT_THAT(webData.PageLines, ElementsAre("served"));
}

TEST_F(WebDataTest, ARedirectToAnotherSchemeIsNotFollowed) {
  const quillon::testing::TemporaryFolder folder;
  const std::string file = folder.file("redirected.html");
  std::ofstream(file) << "local file\n";
  LoopbackServer server(routes({{"/tofile", redirect(302, "file://" + file)},
                                {"/toftp", redirect(302, "ftp://127.0.0.1/x")}}));
  EXPECT_FALSE(fetch(server.url("/tofile")));
  EXPECT_FALSE(fetch(server.url("/toftp")));
  EXPECT_THAT(webData.PageLines, IsEmpty());
}

TEST_F(WebDataTest, MalformedOrUnreachableAddressesFailQuietlyAndBounded) {
  LoopbackServer server(routes({{"/page", httpResponse(200, "served")}}));
  const std::string port = std::to_string(server.port());
  int closedPort = 0;
  {
    LoopbackServer gone(routes({}));
    closedPort = gone.port();
  }
  using namespace std::string_literals;
  for (const std::string& url :
       {"http://"s, "https://"s, "http:///page"s, "http://[::1"s, "http://127.0.0.1:99999/"s,
        "http://127.0.0.1:" + port + "/page\0/other"s, "http://127.0.0.1:" + port + "/a\r\nX: 1"s,
        "http://127.0.0.1:" + port + "\t/page"s,
        "http://127.0.0.1:" + std::to_string(closedPort) + "/"}) {
    bool fetched = true;
    EXPECT_LT(timed([&] { fetched = fetch(url); }), kBound) << url;
    EXPECT_FALSE(fetched) << url;
  }
  EXPECT_THAT(server.requests(), IsEmpty());
  EXPECT_THAT(webData.PageLines, IsEmpty());
}

TEST_F(WebDataTest, AHostOverrideSendsTheDirectoryHostToTheLocalServer) {
  LoopbackServer server(routes({{"/scheda/rossi", httpResponse(200, "listing page")}}));
  const std::string port = std::to_string(server.port());
  const std::string url = "http://www.paginegialle.it:" + port + "/scheda/rossi";

  webData.setHostOverrides({"www.paginegialle.it:" + port + ":127.0.0.1"});
  ASSERT_TRUE(fetch(url));
  EXPECT_THAT(webData.PageLines, ElementsAre("listing page"));
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].header("Host"), "www.paginegialle.it:" + port);
}

TEST_F(WebDataTest, AConnectionOverrideSendsAHostAndPortToAnotherPort) {
  LoopbackServer server(routes({{"/scheda/rossi", httpResponse(200, "listing page")}}));
  const std::string port = std::to_string(server.port());

  // The directory's own address, port 80, reaches the test's server on its port.
  webData.setConnectTo({"www.paginegialle.it:80:127.0.0.1:" + port});
  ASSERT_TRUE(fetch("http://www.paginegialle.it/scheda/rossi"));
  EXPECT_THAT(webData.PageLines, ElementsAre("listing page"));
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].header("Host"), "www.paginegialle.it");

  // An entry holds for its host and port only; empty ones match any (here a closed port,
  // so that nothing is looked up by name).
  webData.setConnectTo({"www.paginegialle.it:81:127.0.0.1:" + port, "::127.0.0.1:1"});
  EXPECT_FALSE(fetch("http://www.paginegialle.it/scheda/rossi"));
  EXPECT_TRUE(fetch("http://www.paginegialle.it:81/scheda/rossi"));
  EXPECT_EQ(server.requests().size(), 2u);
}

}  // namespace
}  // namespace quillon::webfetch::testing
