#include "CliRun.h"
#include "cli/Command.h"
#include "text/Utf8.h"

#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
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

  const testing::CliRun raw = walk({"--site", "es", "--cp1252", "--no-reveal", fixture("es/page3.html")});
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

  const testing::CliRun refused = walk({"--site", "au", "http://127.0.0.1:1/"});
  EXPECT_EQ(refused.status, kExitFailure);
  EXPECT_NE(refused.err.find("could not load http://127.0.0.1:1/"), std::string::npos)
      << refused.err;

  // A page whose script keeps it loading longer than the time-out (it ends after 6 s, so
  // the renderer is free again for later tests).
  const std::string busy = dir.path().toStdString() + "/busy.html";
  std::ofstream(busy) << "<html><body><script>const end = Date.now() + 6000;"
                         " while (Date.now() < end) {}</script></body></html>";
  const testing::CliRun slow = walk({"--site", "ca", "--timeout", "1", busy});
  EXPECT_EQ(slow.status, kExitFailure);
  EXPECT_EQ(slow.err, "quillon-cli walk: the page did not finish loading within 1 seconds\n");
}

}  // namespace
}  // namespace quillon::cli
