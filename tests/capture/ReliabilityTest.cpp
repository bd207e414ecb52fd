// The capture run against pages that misbehave: a page that never finishes loading, a
// phone reveal during which the browser goes to another page, next links that lead in a
// circle. Each case states what it proves: the run ends (within a stated bound where
// time plays a part), the window comes back to a usable state, and no captured row is
// lost or duplicated.

#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/FakeWindow.h"
#include "results/ResultsTable.h"
#include "support/FakeBrowser.h"
#include "support/FakeDocument.h"
#include "support/FakeEmailSearches.h"

#include <chrono>
#include <gtest/gtest.h>
#include <map>

namespace quillon::capture {
namespace {

using testing::anchor;
using testing::classed;
using testing::FakeBrowser;
using testing::FakeDocument;
using testing::FakeWindow;
using testing::ScriptedPump;

constexpr std::u16string_view kPhoneLink = u"Tel\u00e9fono";
// Generous against the short time-outs used here, so that a bounded run never flakes.
constexpr std::chrono::seconds kBound{10};

using Listings = std::vector<std::pair<std::u16string, std::u16string>>;

std::shared_ptr<FakeDocument> canadianPage(const Listings& listings, std::u16string nextUrl = {}) {
  auto doc = std::make_shared<FakeDocument>();
  for (const auto& [name, phone] : listings) {
    doc->add(classed(u"listingTitle", name));
    doc->add(classed(u"phoneNumber", phone));
  }
  if (!nextUrl.empty()) doc->add(anchor(u"next", u"Next &gt;", nextUrl));
  return doc;
}

// A Spanish result page whose telephone numbers show only after their "Teléfono" link
// has been followed (the number sits in the phone frame's address).
std::shared_ptr<FakeDocument> spanishPage(const Listings& listings, std::u16string nextUrl = {}) {
  auto doc = std::make_shared<FakeDocument>();
  char16_t n = u'0';
  for (const auto& [name, phone] : listings) {
    doc->add(classed(u"org", name));
    auto& frame = doc->add(classed(u"iframefunc", u""));
    frame.outer = u"<iframe src=\"/tel?tfno=" + phone + u"&amp;x=1\"></iframe>";
    doc->add(anchor(std::u16string(kPhoneLink), std::u16string(kPhoneLink),
                    u"javascript:showPhone(" + std::u16string(1, n++) + u")"));
  }
  if (!nextUrl.empty()) doc->add(anchor(u"Siguiente >", u"Siguiente &gt;", nextUrl));
  return doc;
}

struct Harness {
  FakeBrowser browser;
  FakeWindow window;
  results::ResultsTable table{results::NameCollator("en_US")};
  ScriptedPump pump;
  DownloadBusyFlag busy;
  std::map<std::u16string, std::shared_ptr<FakeDocument>> site;
  testing::FakeEmailSearches searches;
  std::vector<std::string>& lookups = searches.lookups;
  CaptureController controller{
      {browser, window, table, pump, busy, [this] { return searches.handOut(); }}};

  Harness() {
    searches.answer = [](const std::string&) { return std::string("info@example.it"); };
    browser.onNavigate = [this](std::u16string_view url) {
      const auto it = site.find(std::u16string(url));
      if (it != site.end()) browser.document = it->second;
    };
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (int r = 0; r < table.Count(); ++r) out.push_back(table.Cell(r, 0));
    return out;
  }
};

struct PageCounter final : CaptureObserver {
  int pages = 0;
  std::string reason;
  std::function<void(int)> onPage;
  void pageCaptured(int page, int, int) override {
    pages = page;
    if (onPage) onPage(page);
  }
  void runEnded(const RunEnd& end) override { reason = end.reason; }
};

// Proves: Stop works while a page never finishes loading (the window is usable again at
// once, the wait itself goes on as before), and sending the browser to another page then
// ends the wait: that page is captured and turned and the run ends without another page.
TEST(CaptureReliability, StopDuringAPageThatNeverLoadsThenAnotherPageEndsTheRun) {
  Harness h;
  h.browser.document = canadianPage({{u"Alpha", u"416-555-0001"}}, u"http://ca/stuck");
  h.site[u"http://ca/stuck"] = canadianPage({});
  h.browser.onNavigate = [&](std::u16string_view url) {
    h.browser.document = h.site[std::u16string(url)];
    h.browser.readyState = 1;  // this page never completes by itself
  };
  h.pump.onPass = [&](int pass) {
    if (pass == 1) {
      h.controller.stop();
      EXPECT_TRUE(!h.window.busy);
      EXPECT_FALSE(h.window.stopVisible);
    }
    if (pass == 200) {  // the user opens another result page
      h.browser.document = canadianPage({{u"Bravo", u"416-555-0002"}}, u"http://ca/next");
      h.browser.readyState = Browser::kReadyStateComplete;
    }
  };
  h.controller.capture(parsers::Site::CA);

  EXPECT_EQ(h.pump.passes, 200);  // Stop did not end the wait; the new page did
  EXPECT_EQ(h.names(), (std::vector<std::string>{"Alpha", "Bravo"}));
  EXPECT_EQ(h.browser.navigations,
            (std::vector<std::u16string>{u"http://ca/stuck", u"http://ca/next"}));
  EXPECT_FALSE(h.controller.stopFlag());  // consumed by the step after the last turn
  EXPECT_FALSE(h.controller.isRunning());
  EXPECT_TRUE(!h.window.busy);
}

// Proves: with a page time-out, a page that never loads ends the run with an error within
// the bound, Stop pressed during the wait notwithstanding, and the rows of the pages
// before it stay in the table.
TEST(CaptureReliability, APageThatNeverLoadsEndsAtTheTimeOutKeepingEarlierRows) {
  Harness h;
  h.browser.document =
      canadianPage({{u"Alpha", u"416-555-0001"}, {u"Bravo", u"416-555-0002"}}, u"http://ca/2");
  h.site[u"http://ca/2"] = canadianPage({{u"Charlie", u"416-555-0003"}});
  h.browser.onNavigate = [&](std::u16string_view url) {
    h.browser.document = h.site[std::u16string(url)];
    h.browser.readyState = 1;
  };
  h.pump.onPass = [&](int pass) {
    if (pass == 3) h.controller.stop();
  };
  h.controller.setPageTimeout(std::chrono::milliseconds(300));

  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(h.controller.capture(parsers::Site::CA), CaptureError);
  EXPECT_LT(std::chrono::steady_clock::now() - start, kBound);
  EXPECT_GT(h.pump.passes, 3);  // messages flowed throughout the wait
  EXPECT_EQ(h.names(), (std::vector<std::string>{"Alpha", "Bravo"}));
  EXPECT_EQ(h.window.countText, "2 lines captured");
  EXPECT_FALSE(h.controller.isRunning());
  // Stop was pressed: the next click only takes the pending stop, and the one after works.
  h.browser.readyState = Browser::kReadyStateComplete;
  h.controller.capture(parsers::Site::CA);
  EXPECT_EQ(h.table.Count(), 2);
  h.controller.capture(parsers::Site::CA);
  EXPECT_EQ(h.names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
}

// Proves: when following a phone link takes the browser to another page, the reveal
// reads on from that page without touching elements that are gone, and the run captures
// the page the browser now shows.
TEST(CaptureReliability, APhoneLinkThatLeadsToAnotherPageIsSurvived) {
  Harness h;
  h.browser.document = spanishPage(
      {{u"Bar Uno", u"912 345 678"}, {u"Bar Dos", u"912 345 679"}, {u"Bar Tres", u"912 345 670"}});
  // The first phone link replaces the page by a shorter one without phone links.
  h.browser.onNavigate = [&](std::u16string_view url) {
    if (url == u"javascript:showPhone(0)") {
      auto other = std::make_shared<FakeDocument>();
      other->add(classed(u"org", u"Bar Otro"));
      auto& frame = other->add(classed(u"iframefunc", u""));
      frame.outer = u"<iframe src=\"/tel?tfno=915 000 111&amp;\"></iframe>";
      h.browser.document = other;
    }
  };
  h.controller.capture(parsers::Site::ES);

  EXPECT_EQ(h.browser.navigations, std::vector<std::u16string>{u"javascript:showPhone(0)"});
  EXPECT_EQ(h.names(), std::vector<std::string>{"Bar Otro"});
  EXPECT_EQ(h.table.Cell(0, 3), "915 000 111");
  EXPECT_TRUE(!h.window.busy);
  EXPECT_FALSE(h.controller.isRunning());
}

// Proves: a phone link that leaves the browser without an HTML document (a download, a
// plain-text answer) ends the run with the walker's error; the rows of the pages before
// stay, and Stop brings the window back.
TEST(CaptureReliability, APhoneLinkThatLeavesNoHtmlDocumentEndsTheRunKeepingRows) {
  Harness h;
  h.browser.document = spanishPage({{u"Bar Uno", u"912 345 678"}}, u"http://es/2");
  h.site[u"http://es/2"] = spanishPage({{u"Bar Dos", u"912 345 679"}});
  h.browser.onNavigate = [&](std::u16string_view url) {
    if (url.starts_with(u"javascript:") && h.browser.navigations.size() > 2) {
      auto download = std::make_shared<FakeDocument>();
      download->html = false;
      h.browser.document = download;
      return;
    }
    const auto it = h.site.find(std::u16string(url));
    if (it != h.site.end()) h.browser.document = it->second;
  };
  try {
    h.controller.capture(parsers::Site::ES);
    FAIL() << "the walker's error must reach the caller";
  } catch (const CaptureError& error) {
    EXPECT_STREQ(error.what(), "Invalid HTML document");
  }
  EXPECT_EQ(h.names(), std::vector<std::string>{"Bar Uno"});
  EXPECT_TRUE(h.window.stopVisible);
  h.controller.stop();
  EXPECT_TRUE(!h.window.busy);
}

// Proves: next links that lead in a circle (page 1 to 2 and back) end the run when the
// first page comes round again, without reading it twice; the run stays idle afterwards.
TEST(CaptureReliability, ACircleOfNextLinksEndsWhenAPageRepeats) {
  Harness h;
  h.site[u"http://ca/1"] = canadianPage({{u"Alpha", u"416-555-0001"}}, u"http://ca/2");
  h.site[u"http://ca/2"] = canadianPage({{u"Bravo", u"416-555-0002"}}, u"http://ca/1");
  h.browser.document = h.site[u"http://ca/1"];
  PageCounter counter;
  h.controller.addObserver(counter);
  h.controller.capture(parsers::Site::CA);

  EXPECT_EQ(counter.pages, 2);
  EXPECT_EQ(counter.reason, "page 3 repeats page 1");
  EXPECT_EQ(h.browser.navigations.size(), 2u);
  EXPECT_EQ(h.names(), (std::vector<std::string>{"Alpha", "Bravo"}));
  EXPECT_FALSE(h.controller.stopFlag());
  EXPECT_TRUE(!h.window.busy);
}

// Proves: an Italian next link that leads back to its own page ends the run at the
// repeat, and each listing's e-mail is looked up once.
TEST(CaptureReliability, AnItalianSelfLinkLooksUpEachListingOnce) {
  Harness h;
  auto page = std::make_shared<FakeDocument>();
  auto& card = page->add(classed(u"vcard clearfix", u""));
  card.inner = u"<a href=\"/go?url=www.paginegialle.it/roma/mario\">Scheda</a>";
  page->add(classed(u"org", u"Da Mario"));
  page->add(classed(u"tel", u"06 1234567"));
  page->add(anchor(u"pagina", u"pagina successiva &gt;", u"http://it/self"));
  h.browser.document = page;
  h.site[u"http://it/self"] = page;
  h.controller.setMaxPages(40);
  PageCounter counter;
  h.controller.addObserver(counter);
  h.controller.capture(parsers::Site::IT);

  EXPECT_EQ(counter.pages, 1);
  EXPECT_EQ(counter.reason, "page 2 repeats page 1");
  EXPECT_EQ(h.table.Count(), 1);
  EXPECT_EQ(h.lookups, std::vector<std::string>{"http://www.paginegialle.it/roma/mario"});
  EXPECT_EQ(h.table.Cell(0, 9), "info@example.it");
}

}  // namespace
}  // namespace quillon::capture
