// The e-mail lookup against servers on 127.0.0.1 that misbehave in every way a listing's
// web site can: stalling, dripping a byte a second, sending without end, hanging up in
// the middle, sending the client round in redirects, answering garbage. Each case proves
// that the lookup returns within the stated bound, raises nothing, keeps the window's
// messages flowing, and returns the address only when the part that arrived holds it.

#include "webfetch/EmailLookup.h"
#include "webfetch/FetchTestSupport.h"
#include "webfetch/LoopbackServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillon::webfetch::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::string_view kHead200 = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";

class LookupReliabilityTest : public ::testing::Test {
 protected:
  // Looks up once and checks that the lookup ended within the bound.
  std::string lookup(const std::string& url) {
    std::string email;
    EXPECT_LT(timed([&] { email = fetchEmailfromHTTP(webData, url); }), kBound) << url;
    return email;
  }

  void setLimits(const std::function<void(FetchLimits&)>& change) {
    FetchLimits limits = fastLimits();
    change(limits);
    webData.setLimits(limits);
  }

  CountingPump pump;
  TWebData webData{pump, {}, fastLimits()};
};

// Proves: a server that accepts and never answers costs one time-out, the window's
// messages flow all along, and the address of the page looked up before is not returned.
TEST_F(LookupReliabilityTest, AStallingServerYieldsNoAddressWithinTheBound) {
  LoopbackServer good(
      [](const Request&, Connection& c) { c.send(httpResponse(200, "write to info@earlier.it")); });
  LoopbackServer stalling([](const Request&, Connection& c) { c.hold(); });
  ASSERT_EQ(lookup(good.url("/")), "info@earlier.it");
  EXPECT_EQ(lookup(stalling.url("/")), "");
  EXPECT_GE(pump.calls, 10);
}

// Proves: a page dripped one byte a second is cut by the low-speed rule, and the address
// that arrived before the drip is found.
TEST_F(LookupReliabilityTest, ADripOfOneByteASecondIsCutAndKeepsWhatArrived) {
  setLimits([](FetchLimits& limits) {
    limits.totalTimeout = 60s;
    limits.lowSpeedTime = 2s;
    limits.lowSpeedBytesPerSecond = 10;
  });
  LoopbackServer server([](const Request&, Connection& c) {
    if (!c.send(kHead200) || !c.send("<p>info@drip.it</p>\n")) return;
    for (int second = 0; second < 20; ++second) {
      if (!c.send("x") || !c.wait(1s)) return;
    }
  });
  EXPECT_EQ(lookup(server.url("/")), "info@drip.it");
}

// Proves: a drip that stays just above the low-speed rule still ends at the total
// time-out.
TEST_F(LookupReliabilityTest, ADripAboveTheSpeedLimitEndsAtTheTotalTimeOut) {
  setLimits([](FetchLimits& limits) {
    limits.totalTimeout = 3s;
    limits.lowSpeedTime = 60s;
  });
  LoopbackServer server([](const Request&, Connection& c) {
    if (!c.send(kHead200)) return;
    const std::string address = "mail@slow.it\n";
    for (char byte : address) {
      if (!c.send(std::string(1, byte)) || !c.wait(20ms)) return;
    }
    for (int drop = 0; drop < 200; ++drop) {
      if (!c.send("x") || !c.wait(100ms)) return;
    }
  });
  EXPECT_EQ(lookup(server.url("/")), "mail@slow.it");
}

// Proves: a body without end, with or without line breaks, stops at the size cap; memory
// stays bounded and the address near the top is found.
TEST_F(LookupReliabilityTest, AnEndlessBodyStopsAtTheCap) {
  setLimits([](FetchLimits& limits) {
    limits.totalTimeout = 8s;
    limits.maxBodyBytes = 256 * 1024;
  });
  for (const std::string& filler : {std::string(4096, 'y'), std::string(4095, 'z') + "\n"}) {
    LoopbackServer server([&filler](const Request&, Connection& c) {
      if (!c.send(kHead200) || !c.send("sales@endless.it ")) return;
      while (c.send(filler)) {
      }
    });
    EXPECT_EQ(lookup(server.url("/")), "sales@endless.it");
    std::size_t bytes = 0;
    for (const std::string& line : webData.PageLines) bytes += line.size() + 1;
    EXPECT_LE(bytes, 256u * 1024u + webData.PageLines.size());
  }
}

// Proves: a server that hangs up in the middle of the body, or before any byte of it,
// ends the lookup at once; what arrived is searched.
TEST_F(LookupReliabilityTest, AHangUpMidBodyKeepsWhatArrived) {
  LoopbackServer midBody([](const Request&, Connection& c) {
    c.send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n<a>info@cut.it</a><p>more");
  });
  LoopbackServer noBody([](const Request&, Connection& c) {
    c.send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
  });
  LoopbackServer nothing([](const Request&, Connection&) {});
  EXPECT_EQ(lookup(midBody.url("/")), "info@cut.it");
  EXPECT_EQ(lookup(noBody.url("/")), "");
  EXPECT_EQ(lookup(nothing.url("/")), "");
}

// Proves: redirects that go round in a circle, a redirect without a target and one to a
// closed port all end with no address, the circle within the redirect limit.
TEST_F(LookupReliabilityTest, RedirectsThatLeadNowhereYieldNoAddress) {
  LoopbackServer server([](const Request& request, Connection& c) {
    if (request.target == "/a") c.send(httpResponse(302, "info@a.it", "Location: /b\r\n"));
    if (request.target == "/b") c.send(httpResponse(301, "info@b.it", "Location: /a\r\n"));
    if (request.target == "/bare") c.send(httpResponse(303, "info@bare.it"));
    if (request.target == "/away") {
      c.send(httpResponse(307, "", "Location: http://127.0.0.1:1/gone\r\n"));
    }
  });
  EXPECT_EQ(lookup(server.url("/a")), "");
  EXPECT_LE(server.requests().size(), 12u);  // the limit of 10 redirects and the first two
  EXPECT_EQ(lookup(server.url("/bare")), "");
  EXPECT_EQ(lookup(server.url("/away")), "");
}

// Proves: answers that break HTTP after a valid start (a header that never ends, headers
// without end, an endless run of interim answers, a broken chunked body, a length that is
// no number) end within the bound and raise nothing.
TEST_F(LookupReliabilityTest, GarbageAfterAValidStartEndsWithinTheBound) {
  const auto endless = [](std::string head, std::string repeated) {
    return [head, repeated](const Request&, Connection& c) {
      if (!c.send(head)) return;
      while (c.send(repeated)) {
      }
    };
  };
  LoopbackServer longHeader(endless("HTTP/1.1 200 OK\r\nX-Pad: ", std::string(1024, 'h')));
  LoopbackServer manyHeaders(endless("HTTP/1.1 200 OK\r\n", "X-Pad: info@head.it\r\n"));
  LoopbackServer interim(endless("", "HTTP/1.1 100 Continue\r\n\r\n"));
  LoopbackServer brokenChunks([](const Request&, Connection& c) {
    c.send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\ninfo@chunk.it\r\n0\r\n\r\n");
  });
  LoopbackServer badLength([](const Request&, Connection& c) {
    c.send("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\ninfo@length.it\n");
  });
  for (const LoopbackServer* server :
       {&longHeader, &manyHeaders, &interim, &brokenChunks, &badLength}) {
    EXPECT_EQ(lookup(server->url("/")), "") << server->url("/");
  }
}

}  // namespace
}  // namespace quillon::webfetch::testing
