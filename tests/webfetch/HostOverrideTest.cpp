#include "webfetch/HostOverride.h"
#include "webfetch/TWebData.h"
#include "webfetch/WebFetchError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using quillon::NullMessagePump;
using quillon::webfetch::checkConnectTo;
using quillon::webfetch::checkHostOverride;
using quillon::webfetch::FetchLimits;
using quillon::webfetch::TWebData;
using quillon::webfetch::WebFetchError;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string messageFor(const std::string& entry) {
  try {
    checkHostOverride(entry);
  } catch (const WebFetchError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(HostOverride, AcceptsTheResolveForm) {
  for (const char* entry :
       {"www.paginegialle.it:80:127.0.0.1", "www.paginegialle.it:65535:10.0.0.1,127.0.0.1",
        "example_host-1.test:8080:[::1]", "example.test:1:::1", "localhost:443:192.168.1.20"}) {
    EXPECT_EQ(messageFor(entry), "accepted") << entry;
  }
}

TEST(HostOverride, RejectsMalformedEntriesSayingWhy) {
  const struct {
    const char* entry;
    const char* reason;
  } cases[] = {
      {"", "found no colon"},
      {"www.paginegialle.it", "found no colon"},
      {"www.paginegialle.it:80", "found only one colon"},
      {":80:127.0.0.1", "the host is empty"},
      {"www paginegialle.it:80:127.0.0.1", "no host name has"},
      {"www.paginegialle.it:http:127.0.0.1", "the port must be"},
      {"www.paginegialle.it:0:127.0.0.1", "the port must be"},
      {"www.paginegialle.it:65536:127.0.0.1", "the port must be"},
      {"www.paginegialle.it::127.0.0.1", "the port must be"},
      {"www.paginegialle.it:80:", "the address is empty"},
      {"www.paginegialle.it:80:localhost", "numeric IPv4 or IPv6"},
      {"www.paginegialle.it:80:127.0.0.1,", "numeric IPv4 or IPv6"},
      {"www.paginegialle.it:80:127.0.0.256", "numeric IPv4 or IPv6"},
      {"www.paginegialle.it:80:[127.0.0.1]", "numeric IPv4 or IPv6"},
      {"www.paginegialle.it:80: 127.0.0.1", "numeric IPv4 or IPv6"},
  };
  for (const auto& [entry, reason] : cases) {
    const std::string message = messageFor(entry);
    EXPECT_THAT(message, HasSubstr(reason)) << entry;
    EXPECT_THAT(message, HasSubstr("expected HOST:PORT:ADDRESS")) << entry;
    EXPECT_THAT(message, HasSubstr(std::string("\"") + entry + "\"")) << entry;
  }
}

TEST(ConnectTo, AcceptsCurlsFormAndSaysWhatIsWrongOtherwise) {
  for (const char* entry : {"www.paginegialle.it:80:127.0.0.1:8080", "::127.0.0.1:1",
                            "example.test::[::1]:", ":443:proxy.test:"}) {
    EXPECT_NO_THROW(checkConnectTo(entry)) << entry;
  }
  const struct {
    const char* entry;
    const char* reason;
  } cases[] = {
      {"www.paginegialle.it:80:127.0.0.1", "number of parts"},
      {"a:1:b:2:c", "number of parts"},
      {"www paginegialle.it:80:127.0.0.1:81", "the host is not"},
      {"www.paginegialle.it:0:127.0.0.1:81", "the port must be"},
      {"www.paginegialle.it:80:local host:81", "the connect host"},
      {"www.paginegialle.it:80:127.0.0.1:65536", "the connect port"},
  };
  for (const auto& [entry, reason] : cases) {
    try {
      checkConnectTo(entry);
      ADD_FAILURE() << "accepted " << entry;
    } catch (const WebFetchError& error) {
      EXPECT_THAT(error.what(), HasSubstr(reason)) << entry;
      EXPECT_THAT(error.what(), HasSubstr(std::string("\"") + entry + "\"")) << entry;
    }
  }
  NullMessagePump pump;
  TWebData webData(pump);
  webData.setConnectTo({"::127.0.0.1:1"});
  EXPECT_THROW(webData.setConnectTo({"a:1:b"}), WebFetchError);
  EXPECT_THAT(webData.connectTo(), ElementsAre("::127.0.0.1:1"));
}

TEST(HostOverride, WebDataRefusesAMalformedOverrideAndKeepsTheEarlierOnes) {
  NullMessagePump pump;
  EXPECT_THROW(TWebData(pump, {"www.paginegialle.it:80"}), WebFetchError);

  TWebData webData(pump, {"www.paginegialle.it:80:127.0.0.1"});
  EXPECT_THROW(webData.setHostOverrides({"a.test:81:127.0.0.2", "b.test:x:127.0.0.3"}),
               WebFetchError);
  EXPECT_THAT(webData.hostOverrides(), ElementsAre("www.paginegialle.it:80:127.0.0.1"));
  webData.setHostOverrides({});
  EXPECT_TRUE(webData.hostOverrides().empty());
}

TEST(FetchLimitsCheck, EveryBoundMustBePositive) {
  NullMessagePump pump;
  TWebData webData(pump);
  const auto broken = [](auto change) {
    FetchLimits limits;
    change(limits);
    return limits;
  };
  const FetchLimits cases[] = {
      broken([](FetchLimits& l) { l.connectTimeout = std::chrono::milliseconds(0); }),
      broken([](FetchLimits& l) { l.totalTimeout = std::chrono::milliseconds(-1); }),
      broken([](FetchLimits& l) { l.lowSpeedTime = std::chrono::seconds(0); }),
      broken([](FetchLimits& l) { l.lowSpeedBytesPerSecond = 0; }),
      broken([](FetchLimits& l) { l.maxBodyBytes = 0; }),
      broken([](FetchLimits& l) { l.maxRedirects = 0; }),
  };
  for (const FetchLimits& limits : cases) {
    EXPECT_THROW(webData.setLimits(limits), WebFetchError);
    EXPECT_THROW(TWebData(pump, {}, limits), WebFetchError);
  }
  EXPECT_EQ(webData.limits().totalTimeout, FetchLimits().totalTimeout);
}

}  // namespace
