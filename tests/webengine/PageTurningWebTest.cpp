// Page turning and the phone reveal over Qt WebEngine on the fixture pages.

#include "capture/CaptureError.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/PageTurning.h"
#include "webengine/QtMessagePump.h"
#include "webengine/WebEngineBrowser.h"
#include "webengine/WebTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace quillon::webengine {
namespace {

using testing::currentUrl;
using testing::fileUrl;
using testing::kLoadLimit;
using testing::load;
using testing::PageFiles;
using testing::wide;

// Records every load that finishes, to see how many navigations a page turn started.
struct FinishedLoads final : capture::BrowserListener {
  int count = 0;
  void DocumentComplete(std::u16string_view) override { ++count; }
};

// TurnPage from the page; the address it leads to, or "" when it found no link.
std::string turn(const char* from, const char* linkText) {
  WebEngineBrowser browser;
  load(browser, fileUrl(from));
  if (!capture::TurnPage(browser, linkText)) return "";
  EXPECT_NE(browser.ReadyState(), 4);  // the next capture step must wait for the new page
  EXPECT_TRUE(browser.waitUntilComplete(kLoadLimit));
  return currentUrl(browser);
}

std::string fixtureUrl(const char* relative) {
  const std::u16string url = fileUrl(relative);
  return {url.begin(), url.end()};
}

TEST(TurnPageWeb, EachSiteFollowsItsNextLinkToTheLastPage) {
  EXPECT_EQ(turn("es/page1.html", "Siguiente"), fixtureUrl("es/page2.html"));
  EXPECT_EQ(turn("es/page2.html", "Siguiente"), fixtureUrl("es/page3.html"));
  EXPECT_EQ(turn("es/page3.html", "Siguiente"), "");
  // Page 2 also has a link whose whole text is "successiva": it is passed over.
  EXPECT_EQ(turn("it/page2.html", "successiva"), fixtureUrl("it/page3.html"));
  EXPECT_EQ(turn("it/page3.html", "successiva"), "");
  EXPECT_EQ(turn("au/page1.html", "Next"), fixtureUrl("au/page2.html"));
  EXPECT_EQ(turn("au/page3.html", "Next"), "");
}

TEST(TurnPageWeb, CanadianPagesTryNextThenSuivante) {
  EXPECT_EQ(turn("ca/page1.html", "Next "), fixtureUrl("ca/page2.html"));
  // The French page has a bare "Next" but no "Next " with its blank.
  EXPECT_EQ(turn("ca/page2.html", "Next "), "");
  EXPECT_EQ(turn("ca/page2.html", "Suivante "), fixtureUrl("ca/page3.html"));
  EXPECT_EQ(turn("ca/page3.html", "Next "), "");
  EXPECT_EQ(turn("ca/page3.html", "Suivante "), "");
  // Case counts.
  EXPECT_EQ(turn("ca/page1.html", "next "), "");
}

TEST(TurnPageWeb, BothLinksOfAPageAskToNavigate) {
  WebEngineBrowser browser;
  load(browser, fileUrl("es/page1.html"));
  struct Navigations final : capture::BrowserListener {
    int begins = 0;
    void DownloadBegin() override { ++begins; }
  } navigations;
  browser.AddListener(navigations);
  EXPECT_TRUE(capture::TurnPage(browser, "Siguiente"));
  ASSERT_TRUE(browser.waitUntilComplete(kLoadLimit));
  EXPECT_EQ(currentUrl(browser), fixtureUrl("es/page2.html"));
  EXPECT_GE(navigations.begins, 1);
  browser.RemoveListener(navigations);
}

TEST(TurnPageWeb, NoHtmlDocument) {
  WebEngineBrowser browser;
  EXPECT_THROW(capture::TurnPage(browser, "Next"), capture::CaptureError);  // nothing loaded
  PageFiles files;
  load(browser, files.add("plain.txt", "Next page\n"));
  try {
    capture::TurnPage(browser, "Next");
    FAIL() << "no error";
  } catch (const capture::CaptureError& e) {
    EXPECT_STREQ(e.what(), "Couldn't convert the wb.Document to an IHTMLDocument2");
  }
}

TEST(TogglePhonesWeb, RevealsEverySpanishNumber) {
  WebEngineBrowser browser;
  capture::DownloadBusyFlag busy;
  browser.AddListener(busy);
  load(browser, fileUrl("es/page2.html"));
  const std::int32_t lengthBefore = browser.Document()->all().length();
  capture::PlainProgressIndicator progress;
  QtMessagePump pump;
  capture::TogglePhones(browser, busy, progress, pump);
  EXPECT_FALSE(busy.isSet());
  // The count is taken once, before the reveal adds its frames.
  EXPECT_EQ(progress.max(), lengthBefore - 1);
  EXPECT_EQ(browser.Document()->all().length(), lengthBefore + 3);
  EXPECT_EQ(progress.position(), progress.max());
  EXPECT_EQ(browser.ReadyState(), 4);
  EXPECT_EQ(currentUrl(browser), fixtureUrl("es/page2.html"));  // still the same page

  // Every listing now holds its frame with the number.
  const auto doc = browser.Document();
  int frames = 0;
  for (std::int32_t i = 0; i < doc->bodyElements().length(); ++i) {
    const capture::HtmlElement& e = *doc->bodyElements().item(i);
    if (e.className() == u"iframefunc") {
      ++frames;
      EXPECT_NE(e.outerHTML().find(u"tfno="), std::u16string_view::npos);
    }
  }
  EXPECT_EQ(frames, 4);
  browser.RemoveListener(busy);
}

TEST(TogglePhonesWeb, PhoneLinkThatLoadsAnotherPage) {
  // A phone link with an ordinary address: the reveal waits for that load, and the
  // elements after it are read from the new, shorter page, so the second link is skipped.
  PageFiles files;
  const std::u16string target =
      files.add("numero.html", "<html><body><p>912 000 111</p></body></html>");
  const std::string targetUrl(target.begin(), target.end());
  const std::u16string page =
      files.add("links.html",
                "<html><body><a href=\"numero.html\">Tel&eacute;fono</a>"
                "<p>a</p><p>b</p><p>c</p><a href=\"other.html\">Tel&eacute;fono</a></body></html>");
  WebEngineBrowser browser;
  capture::DownloadBusyFlag busy;
  browser.AddListener(busy);
  FinishedLoads loads;
  browser.AddListener(loads);
  load(browser, page);
  loads.count = 0;
  capture::PlainProgressIndicator progress;
  QtMessagePump pump;
  capture::TogglePhones(browser, busy, progress, pump);
  EXPECT_EQ(loads.count, 1);
  EXPECT_EQ(currentUrl(browser), targetUrl);
  browser.RemoveListener(loads);
  browser.RemoveListener(busy);
}

}  // namespace
}  // namespace quillon::webengine
