#include "capture/CaptureError.h"
#include "capture/PageTurning.h"
#include "support/FakeBrowser.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillon::capture {
namespace {

using testing::anchor;
using testing::classed;
using testing::FakeBrowser;
using testing::ScriptedPump;

constexpr std::u16string_view kPhone = u"Tel\u00e9fono";

TEST(TurnPage, AnchorTestsInTheirOrder) {
  FakeBrowser browser;
  auto& doc = *browser.document;
  doc.add(classed(u"pager", u"Siguiente >"));                                 // not an anchor
  doc.add(anchor(u"Siguiente >", u"Siguiente &gt;", u"http://x/p2top"));      // followed
  doc.add(anchor(u"Siguiente", u"Siguiente", u"http://x/exact"));             // visible text equal
  doc.add(anchor(u"Ir", u"<b>Siguiente</b>", u"http://x/id", u"Siguiente"));  // id equal
  doc.add(anchor(u"siguiente >", u"siguiente &gt;", u"http://x/lower"));      // case differs
  doc.add(anchor(u"Next", u"<img alt=\"Next\">", u"http://x/none"));          // no link text
  doc.add(anchor(u"P\u00e1gina Siguiente", u"P&aacute;gina <span>Siguiente</span>",
                 u"http://x/p2bottom"));  // followed

  EXPECT_TRUE(TurnPage(browser, "Siguiente"));
  EXPECT_EQ(browser.navigations,
            (std::vector<std::u16string>{u"http://x/p2top", u"http://x/p2bottom"}));
}

TEST(TurnPage, NoMatchNavigatesNowhere) {
  FakeBrowser browser;
  browser.document->add(anchor(u"Next", u"Next", u"http://x/2"));
  EXPECT_FALSE(TurnPage(browser, "Next "));  // the blank after "Next" is part of the text
  browser.document->add(anchor(u"Next >", u"Next &gt;", u"http://x/3"));
  EXPECT_TRUE(TurnPage(browser, "Next "));
  EXPECT_EQ(browser.navigations, std::vector<std::u16string>{u"http://x/3"});
}

TEST(TurnPage, ALinkWithoutAnAddressIsNotFollowed) {
  FakeBrowser browser;
  browser.document->add(anchor(u"Next >", u"Next &gt;", u""));  // a script's "Next"
  std::u16string followed = u"untouched";
  EXPECT_FALSE(TurnPage(browser, "Next ", &followed));
  EXPECT_TRUE(browser.navigations.empty());
  EXPECT_EQ(followed, u"untouched");
  browser.document->add(anchor(u"Next >", u"Next &gt;", u"http://x/2"));
  EXPECT_TRUE(TurnPage(browser, "Next ", &followed));
  EXPECT_EQ(followed, u"http://x/2");
}

TEST(TurnPage, LinkTextIsCp1252) {
  FakeBrowser browser;
  browser.document->add(anchor(u"p\u00e1gina", u"&raquo; p\u00e1gina \u00bb", u"http://x/2"));
  EXPECT_TRUE(TurnPage(browser, "p\xE1gina \xBB"));
}

TEST(TurnPage, ReadsTheCountOnce) {
  FakeBrowser browser;
  browser.document->add(anchor(u"Next >", u"Next &gt;", u"http://x/2"));
  browser.document->add(anchor(u"Next >", u"Next &gt;", u"http://x/3"));
  // A browser that replaces the page at once: the second index no longer exists.
  browser.onNavigate = [&](std::u16string_view) { browser.document->elements.resize(1); };
  EXPECT_TRUE(TurnPage(browser, "Next "));
  EXPECT_EQ(browser.navigations.size(), 1u);
}

TEST(TurnPage, NoHtmlDocument) {
  FakeBrowser browser;
  browser.document->html = false;
  try {
    TurnPage(browser, "Next");
    FAIL() << "no error";
  } catch (const CaptureError& e) {
    EXPECT_STREQ(e.what(), "Couldn't convert the wb.Document to an IHTMLDocument2");
  }
  browser.document = nullptr;
  EXPECT_THROW(TurnPage(browser, "Next"), CaptureError);
  EXPECT_THROW(
      {
        ScriptedPump pump;
        PlainProgressIndicator progress;
        DownloadBusyFlag busy;
        TogglePhones(browser, busy, progress, pump);
      },
      CaptureError);
}

TEST(TogglePhones, FollowsExactPhoneLinksAndWaitsForDownloads) {
  FakeBrowser browser;
  DownloadBusyFlag busy;
  browser.AddListener(busy);
  auto& doc = *browser.document;
  doc.add(anchor(std::u16string(kPhone), u"Tel&eacute;fono", u"javascript:tel(1)"));
  doc.add(anchor(u"tel\u00e9fono", u"x", u"javascript:tel(2)"));   // case differs
  doc.add(anchor(u"Tel\u00e9fono ", u"x", u"javascript:tel(3)"));  // added blank
  doc.add(classed(u"tel", std::u16string(kPhone)));                // not an anchor
  doc.add(anchor(std::u16string(kPhone), u"x", u"javascript:tel(4)"));

  // Each navigation starts a download that completes on the third dispatch after it.
  ScriptedPump pump;
  int completeAt = -1;
  std::vector<int> passesAtNavigation;
  std::vector<std::chrono::steady_clock::time_point> timeAtNavigation;
  browser.onNavigate = [&](std::u16string_view) {
    EXPECT_FALSE(busy.isSet());
    browser.fireDownloadBegin();
    completeAt = pump.passes + 3;
    passesAtNavigation.push_back(pump.passes);
    timeAtNavigation.push_back(std::chrono::steady_clock::now());
  };
  pump.onPass = [&](int pass) {
    if (pass == completeAt) browser.fireDocumentComplete(u"x");
  };
  PlainProgressIndicator progress;
  TogglePhones(browser, busy, progress, pump);

  EXPECT_EQ(browser.navigations,
            (std::vector<std::u16string>{u"javascript:tel(1)", u"javascript:tel(4)"}));
  EXPECT_EQ(progress.max(), 4);
  EXPECT_EQ(progress.position(), 4);
  ASSERT_EQ(passesAtNavigation.size(), 2u);
  // The download wait (3 passes), then the half-second pause (at least one more pass).
  EXPECT_GE(passesAtNavigation[1] - passesAtNavigation[0], 4);
  EXPECT_GE(timeAtNavigation[1] - timeAtNavigation[0], std::chrono::milliseconds(500));
  EXPECT_FALSE(busy.isSet());
  browser.RemoveListener(busy);
}

TEST(TogglePhones, SkipsIndicesBeyondTheShrunkDocument) {
  FakeBrowser browser;
  DownloadBusyFlag busy;
  auto& doc = *browser.document;
  for (const char16_t* href :
       {u"javascript:tel(0)", u"javascript:tel(1)", u"javascript:tel(2)", u"javascript:tel(3)"}) {
    doc.add(anchor(std::u16string(kPhone), u"x", href));
  }
  // The first reveal removes all but two elements; index 1 is still read, 2 and 3 not.
  browser.onNavigate = [&](std::u16string_view) { doc.elements.resize(2); };
  ScriptedPump pump;
  PlainProgressIndicator progress;
  TogglePhones(browser, busy, progress, pump);
  EXPECT_EQ(browser.navigations,
            (std::vector<std::u16string>{u"javascript:tel(0)", u"javascript:tel(1)"}));
  EXPECT_EQ(progress.position(), 3);
}

TEST(TogglePhones, WithoutPhoneLinksNeverWaits) {
  FakeBrowser browser;
  browser.document->add(classed(u"org", u"A"));
  browser.document->add(classed(u"org", u"B"));
  DownloadBusyFlag busy;
  ScriptedPump pump;
  PlainProgressIndicator progress;
  TogglePhones(browser, busy, progress, pump);
  EXPECT_EQ(pump.passes, 0);
  EXPECT_EQ(progress.max(), 1);
  EXPECT_EQ(progress.position(), 1);
}

TEST(TogglePhones, DownloadThatNeverCompletesIsBounded) {
  FakeBrowser browser;
  DownloadBusyFlag busy;
  browser.AddListener(busy);
  browser.document->add(anchor(std::u16string(kPhone), u"x", u"javascript:tel()"));
  browser.onNavigate = [&](std::u16string_view) { browser.fireDownloadBegin(); };
  ScriptedPump pump;
  PlainProgressIndicator progress;
  TogglePhones(browser, busy, progress, pump, std::chrono::milliseconds(20));
  EXPECT_TRUE(busy.isSet());
  EXPECT_EQ(browser.navigations.size(), 1u);
  browser.RemoveListener(busy);
}

TEST(DownloadBusyFlag, FollowsTheEvents) {
  FakeBrowser browser;
  DownloadBusyFlag busy;
  browser.AddListener(busy);
  EXPECT_FALSE(busy.isSet());
  browser.fireDownloadBegin();
  EXPECT_TRUE(busy.isSet());
  browser.fireDownloadComplete();
  EXPECT_FALSE(busy.isSet());
  browser.fireDownloadBegin();
  browser.fireDocumentComplete(u"about:blank");
  EXPECT_FALSE(busy.isSet());
  browser.RemoveListener(busy);
  browser.fireDownloadBegin();
  EXPECT_FALSE(busy.isSet());
}

}  // namespace
}  // namespace quillon::capture
