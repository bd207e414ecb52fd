#include "CliRun.h"
#include "FixtureServer.h"
#include "cli/Command.h"
#include "text/Utf8.h"

#include <QProcess>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace quillon::cli {
namespace {

testing::CliRun walk(std::vector<std::string> args) {
  args.insert(args.begin(), "walk");
  return testing::runWith(std::move(args));
}

std::string fixture(const std::string& relative) {
  return std::string(QUILLON_FIXTURES) + "/" + relative;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WalkCommand, BadArguments) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {},
           {fixture("es/page1.html")},
           {"--site", "fr", fixture("es/page1.html")},
           {"--site"},
           {"--site", "es", "a.html", "b.html"},
           {"--site", "es", "--bogus", "a.html"},
           {"--site", "es", "--timeout", "0", "a.html"},
           {"--site", "es", "--timeout", "ten", "a.html"},
       }) {
    const testing::CliRun run = walk(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("quillon-cli walk: "), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  const testing::CliRun help = walk({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("Usage: quillon-cli walk --site es|it|au|ca"), std::string::npos);
}

TEST(WalkCommand, PrintsThePageTextOfEachSite) {
  for (const std::string site : {"it", "au", "ca"}) {
    const std::string expected = readFile(fixture(site + "/page1.expected.txt"));
    const testing::CliRun run = walk({"--site", site, fixture(site + "/page1.html")});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, text::cp1252ToUtf8(expected)) << site;
    const testing::CliRun raw = walk({"--cp1252", "--site", site, fixture(site + "/page1.html")});
    EXPECT_EQ(raw.out, expected) << site;
  }
}

TEST(WalkCommand, SpanishPhoneRevealAndRawWalk) {
  const std::string revealed = readFile(fixture("es/page3.expected.txt"));
  const testing::CliRun run = walk({"--site", "es", "--cp1252", fixture("es/page3.html")});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, revealed);

  const testing::CliRun raw =
      walk({"--site", "es", "--cp1252", "--no-reveal", fixture("es/page3.html")});
  EXPECT_EQ(raw.status, kExitOk) << raw.err;
  // Two of the three listings show their number only after the reveal.
  EXPECT_NE(revealed.find("Tel\351fono: 913 663 166\r\n"), std::string::npos);
  EXPECT_EQ(raw.out.find("913 663 166"), std::string::npos);
  EXPECT_LT(raw.out.size(), revealed.size());
}

TEST(WalkCommand, Failures) {
  const testing::CliRun missing = walk({"--site", "es", fixture("es/no-such-page.html")});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;

  QTemporaryDir dir;
  const std::string text = dir.path().toStdString() + "/notes.txt";
  std::ofstream(text) << "+-+org: not a page\n";
  const testing::CliRun notHtml = walk({"--site", "it", text});
  EXPECT_EQ(notHtml.status, kExitFailure);
  EXPECT_EQ(notHtml.err, "quillon-cli walk: Invalid HTML document\n");
  // The phone reveal comes first, as in a capture, and fails first.
  const testing::CliRun notHtmlEs = walk({"--site", "es", text});
  EXPECT_EQ(notHtmlEs.status, kExitFailure);
  EXPECT_EQ(notHtmlEs.err,
            "quillon-cli walk: Couldn't convert the wb.Document to an IHTMLDocument2\n");

  // A failed load says why: the connection refused, an HTTP error status.
  // A port held by a socket that never listens refuses connections, and no other test
  // can take it meanwhile.
  const int holder = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::getsockname(holder, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const std::string closed = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
  const testing::CliRun refused = walk({"--site", "au", closed});
  EXPECT_EQ(refused.status, kExitFailure);
  EXPECT_EQ(refused.err, "quillon-cli walk: could not load " + closed + ": connection refused\n");
  ::close(holder);
  testing::FixtureServer server;
  server.start();
  const testing::CliRun missingPage = walk({"--site", "au", server.url("/au/no-such-page.html")});
  EXPECT_EQ(missingPage.status, kExitFailure);
  EXPECT_EQ(missingPage.err, "quillon-cli walk: could not load " +
                                 server.url("/au/no-such-page.html") + ": HTTP status 404\n");

  // A page whose script keeps it loading longer than the time-out (it ends after 6 s, so
  // the renderer is free again for later tests).
  const std::string busy = dir.path().toStdString() + "/busy.html";
  std::ofstream(busy) << "<html><body><script>const end = Date.now() + 6000;"
                         " while (Date.now() < end) {}</script></body></html>";
  const testing::CliRun slow = walk({"--site", "ca", "--timeout", "1", busy});
  EXPECT_EQ(slow.status, kExitFailure);
  EXPECT_EQ(slow.err, "quillon-cli walk: the page did not finish loading within 1 seconds\n");
}

// The program itself, as a user runs it: the engine's notices stay off standard error.
TEST(WalkCommand, TheToolKeepsTheEnginesNoticesOffStandardError) {
  QProcess tool;
  const QString program = QStringLiteral(QUILLON_BINARY_DIR "/src/quillon-cli");
  const QStringList args = {QStringLiteral("walk"), QStringLiteral("--site"), QStringLiteral("ca"),
                            QString::fromStdString(fixture("ca/page1.html"))};
  tool.start(program, args);
  ASSERT_TRUE(tool.waitForFinished(60'000));
  EXPECT_EQ(tool.exitCode(), kExitOk);
  EXPECT_EQ(tool.readAllStandardError(), QByteArray());
  EXPECT_FALSE(tool.readAllStandardOutput().isEmpty());
}

}  // namespace
}  // namespace quillon::cli
