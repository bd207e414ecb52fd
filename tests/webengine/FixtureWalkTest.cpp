// The walkers over Qt WebEngine on the fixture pages: the page text must equal the
// expected text stored beside each page.

#include "capture/DownloadBusyFlag.h"
#include "capture/PageTurning.h"
#include "capture/PageWalker.h"
#include "parsers/Site.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace quillon::webengine {
namespace {

using testing::fileUrl;
using testing::fixturePath;
using testing::load;
using testing::readFile;

std::string walk(WebEngineBrowser& browser, parsers::Site site) {
  capture::PlainProgressIndicator progress;
  std::string pageText;
  capture::walkPage(site, browser.Document().get(), pageText, progress);
  return pageText;
}

int countOf(const std::string& text, const std::string& what) {
  int count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

struct FixturePage {
  const char* site;
  int page;
};

void PrintTo(const FixturePage& page, std::ostream* out) {
  *out << page.site << "/page" << page.page;
}

class FixtureWalk : public ::testing::TestWithParam<FixturePage> {};

TEST_P(FixtureWalk, PageTextEqualsTheExpectedText) {
  const FixturePage fixture = GetParam();
  const std::string base = std::string(fixture.site) + "/page" + std::to_string(fixture.page);
  const parsers::Site site = *parsers::siteFromCode(fixture.site);
  WebEngineBrowser browser;
  capture::DownloadBusyFlag busy;
  browser.AddListener(busy);
  load(browser, fileUrl(base + ".html"));
  if (site == parsers::Site::ES) {
    capture::PlainProgressIndicator progress;
    QtMessagePump pump;
    capture::TogglePhones(browser, busy, progress, pump);
  }
  const std::string expected = readFile(fixturePath(base + ".expected.txt"));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(walk(browser, site), expected);
  browser.RemoveListener(busy);
}

INSTANTIATE_TEST_SUITE_P(Pages, FixtureWalk,
                         ::testing::Values(FixturePage{"es", 1}, FixturePage{"es", 2},
                                           FixturePage{"es", 3}, FixturePage{"it", 1},
                                           FixturePage{"it", 2}, FixturePage{"it", 3},
                                           FixturePage{"au", 1}, FixturePage{"au", 2},
                                           FixturePage{"au", 3}, FixturePage{"ca", 1},
                                           FixturePage{"ca", 2}, FixturePage{"ca", 3}),
                         [](const ::testing::TestParamInfo<FixturePage>& page) {
                           return std::string(page.param.site) + std::to_string(page.param.page);
                         });

TEST(FixtureWalkRaw, SpanishNumbersAppearOnlyAfterThePhoneReveal) {
  WebEngineBrowser browser;
  load(browser, fileUrl("es/page1.html"));
  const std::string raw = walk(browser, parsers::Site::ES);
  // Only the one listing that shows its number from the start has a phone line.
  EXPECT_EQ(countOf(raw, "Tel\351fono: "), 1);
  EXPECT_EQ(countOf(raw, "Tel\351fono: 913 562 201\r\n"), 1);
  EXPECT_EQ(countOf(raw, "918 812 345"), 0);

  const std::string revealed = readFile(fixturePath("es/page1.expected.txt"));
  EXPECT_EQ(countOf(revealed, "Tel\351fono: "), 5);
  EXPECT_EQ(countOf(revealed, "Tel\351fono: 918 812 345\r\n"), 1);
  // Apart from the phone lines both walks see the same page.
  EXPECT_EQ(countOf(raw, "+-+org: "), countOf(revealed, "+-+org: "));
}

}  // namespace
}  // namespace quillon::webengine
