#include "webfetch/FetchTestSupport.h"
#include "webfetch/LoopbackServer.h"
#include "webfetch/TWebData.h"

#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace quillon::webfetch::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr std::string_view kHead200 = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";

class WebDataBoundsTest : public ::testing::Test {
 protected:
  // Fetches once and checks that the fetch ended within the bound.
  bool fetch(const std::string& url) {
    webData.Data.assign(1, TWebDataItem{url});
    bool fetched = false;
    EXPECT_LT(timed([&] { fetched = webData.Execute(); }), kBound);
    return fetched;
  }

  CountingPump pump;
  TWebData webData{pump, {}, fastLimits()};
};

TEST_F(WebDataBoundsTest, AServerThatNeverAnswersIsLeftAtTheTimeOutWhileMessagesFlow) {
  LoopbackServer server([](const Request&, Connection& connection) { connection.hold(); });
  webData.PageLines = {"earlier"};
  EXPECT_FALSE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, ElementsAre("earlier"));
  // The wait for the answer pumps all along: over 1.5 s, far more than a few times.
  EXPECT_GE(pump.calls, 10);
}

// A port whose accept queue is full: the kernel drops further connection requests, so a
// connect to it neither succeeds nor fails until the client gives up.
class FullListener {
 public:
  FullListener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(m_listener, 0);
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    // Fill the queue: connections that complete at once are queued, the first that does
    // not shows the queue is full.
    for (int i = 0; i < 8; ++i) {
      const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      m_clients.push_back(client);
      ::connect(client, reinterpret_cast<sockaddr*>(&address), length);
      pollfd slot{client, POLLOUT, 0};
      if (::poll(&slot, 1, 200) == 0) break;
    }
  }
  ~FullListener() {
    for (const int client : m_clients) ::close(client);
    ::close(m_listener);
  }
  FullListener(const FullListener&) = delete;
  FullListener& operator=(const FullListener&) = delete;

  int port = 0;

 private:
  int m_listener = -1;
  std::vector<int> m_clients;
};

TEST_F(WebDataBoundsTest, AConnectionThatIsNeverAcceptedEndsAtTheConnectTimeOut) {
  FetchLimits limits = fastLimits();
  limits.totalTimeout = 60s;
  webData.setLimits(limits);
  const FullListener listener;
  EXPECT_FALSE(fetch("http://127.0.0.1:" + std::to_string(listener.port) + "/"));
  EXPECT_GE(pump.calls, 10);
}

TEST_F(WebDataBoundsTest, AHeadWithoutBodyFollowedByStallingFails) {
  LoopbackServer server([](const Request&, Connection& connection) {
    connection.send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
    connection.hold();
  });
  EXPECT_FALSE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, IsEmpty());
}

TEST_F(WebDataBoundsTest, AStallAfterPartOfTheBodyKeepsWhatWasRead) {
  LoopbackServer server([](const Request&, Connection& connection) {
    connection.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nfirst line\r\nsecond");
    connection.hold();
  });
  EXPECT_TRUE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, ElementsAre("first line", "second"));
}

TEST_F(WebDataBoundsTest, AConnectionClosedInTheMiddleOfTheBodyKeepsWhatWasRead) {
  LoopbackServer server([](const Request&, Connection& connection) {
    connection.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nabc\ndef\n");
  });
  EXPECT_TRUE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, ElementsAre("abc", "def"));
}

TEST_F(WebDataBoundsTest, AnEndlessBodyIsCutAtTheCap) {
  FetchLimits limits = fastLimits();
  limits.maxBodyBytes = 100'000;
  webData.setLimits(limits);
  LoopbackServer server([](const Request&, Connection& connection) {
    if (!connection.send(kHead200)) return;
    std::string block;
    for (int i = 0; i < 1000; ++i) block += "0123456789\n";
    while (connection.send(block)) {
    }
  });
  EXPECT_TRUE(fetch(server.url("/")));
  // 100,000 bytes: 9,090 whole lines of eleven bytes and the first ten bytes of the next.
  EXPECT_THAT(webData.PageLines, SizeIs(9091));
  EXPECT_THAT(webData.PageLines, Each(std::string("0123456789")));
}

TEST_F(WebDataBoundsTest, AnEndlessTrickleIsLeftAtTheTotalTimeOutKeepingWhatWasRead) {
  LoopbackServer server([](const Request&, Connection& connection) {
    if (!connection.send(kHead200)) return;
    // 400 drops 50 ms apart: the trickle ends by itself after 20 s, so that a client
    // without time-outs fails instead of hanging.
    for (int drop = 0; drop < 400; ++drop) {
      if (!connection.send("drip\n") || !connection.wait(50ms)) return;
    }
  });
  EXPECT_TRUE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, Each(std::string("drip")));
  EXPECT_GE(webData.PageLines.size(), 2u);
}

TEST_F(WebDataBoundsTest, ATransferThatStopsMovingIsDroppedBeforeTheTotalTimeOut) {
  FetchLimits limits = fastLimits();
  limits.totalTimeout = 60s;
  // The library averages the speed over the last few seconds; a limit well above the few
  // bytes sent makes the drop come after about one second.
  limits.lowSpeedBytesPerSecond = 1000;
  webData.setLimits(limits);
  LoopbackServer server([](const Request&, Connection& connection) {
    connection.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nbegun");
    connection.hold();
  });
  EXPECT_TRUE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, ElementsAre("begun"));
}

TEST_F(WebDataBoundsTest, ASlowStartIsWaitedForWithinTheTimeOut) {
  LoopbackServer server([](const Request&, Connection& connection) {
    if (connection.wait(300ms)) connection.send(httpResponse(200, "late but fine"));
  });
  EXPECT_TRUE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, ElementsAre("late but fine"));
}

TEST_F(WebDataBoundsTest, AnswersThatAreNotHttpFail) {
  const std::string answers[] = {
      "NONSENSE\r\n\r\nhello info@x.test\n",
      "hello without any head\n",
      "HTTP/1.1 abc Broken\r\n\r\nbody\n",
      std::string("\0\1\2\3binary\xff\xfe", 12),
  };
  for (const std::string& answer : answers) {
    LoopbackServer server([&answer](const Request&, Connection& c) { c.send(answer); });
    EXPECT_FALSE(fetch(server.url("/"))) << answer;
  }
  EXPECT_THAT(webData.PageLines, IsEmpty());
}

TEST_F(WebDataBoundsTest, ABinaryBodyIsTakenByteForByteUpToItsFirstNul) {
  const std::string body("GIF89a\x80\xff\r\n\x01\x02\0after", 18);
  LoopbackServer server(
      [&body](const Request&, Connection& c) { c.send(httpResponse(200, body)); });
  EXPECT_TRUE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, ElementsAre("GIF89a\x80\xff", "\x01\x02"));
}

TEST_F(WebDataBoundsTest, MessagesAreHandledBeforeEveryChunkOfTheBody) {
  const std::string body(64 * 1024, 'b');
  LoopbackServer server(
      [&body](const Request&, Connection& c) { c.send(httpResponse(200, body)); });
  EXPECT_TRUE(fetch(server.url("/")));
  ASSERT_THAT(webData.PageLines, ElementsAre(body));
  // At most 4,096 bytes between two rounds of messages: at least 16 rounds for 64 KiB.
  EXPECT_GE(pump.calls, 16);
}

TEST_F(WebDataBoundsTest, AnErrorRaisedWhileMessagesAreHandledReachesTheCaller) {
  const std::string body(32 * 1024, 'b');
  LoopbackServer server(
      [&body](const Request&, Connection& c) { c.send(httpResponse(200, body)); });
  pump.action = [](int calls) {
    if (calls == 3) throw std::runtime_error("handler failed");
  };
  webData.Data.assign(1, TWebDataItem{server.url("/")});
  EXPECT_THROW(webData.Execute(), std::runtime_error);
  EXPECT_THAT(webData.PageLines, IsEmpty());

  // The handles were released on the way out: the next fetch works.
  pump.action = nullptr;
  EXPECT_TRUE(fetch(server.url("/")));
  EXPECT_THAT(webData.PageLines, ElementsAre(body));
}

}  // namespace
}  // namespace quillon::webfetch::testing
