#include "webfetch/EmailLookup.h"
#include "webfetch/FetchTestSupport.h"
#include "webfetch/LoopbackServer.h"

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

}  // namespace
}  // namespace quillon::webfetch::testing
