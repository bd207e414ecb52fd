#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/FakeWindow.h"
#include "results/ResultsTable.h"
#include "support/FakeBrowser.h"
#include "support/FakeDocument.h"
#include "support/FakeEmailSearches.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>
#include <map>

namespace quillon::capture {
namespace {

using testing::FakeBrowser;
using testing::FakeDocument;
using testing::FakeWindow;
using testing::ScriptedPump;

// A Canadian result page: one listing per (name, phone), and an optional next link.
std::shared_ptr<FakeDocument> canadianPage(
    std::vector<std::pair<std::u16string, std::u16string>> listings, std::u16string nextHtml = {},
    std::u16string nextUrl = {}) {
  auto doc = std::make_shared<FakeDocument>();
  for (const auto& [name, phone] : listings) {
    doc->add(testing::classed(u"listingTitle", name));
    doc->add(testing::classed(u"phoneNumber", phone));
  }
  if (!nextUrl.empty()) doc->add(testing::anchor(u"next page", nextHtml, nextUrl));
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
    searches.answer = [](const std::string& url) {
      return "info@" + url.substr(url.rfind('/') + 1) + ".it";
    };
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

TEST(CaptureController, RunsEveryPageUntilNoNextLink) {
  Harness h;
  h.browser.document = canadianPage({{u"Bravo", u"416-555-0001"}, {u"Alpha", u"416-555-0002"}},
                                    u"Next &gt;", u"http://ca/2");
  h.site[u"http://ca/2"] =
      canadianPage({{u"Alpha", u"416-555-0002"}, {u"Charlie", u"416-555-0003"}}, u"Suivante &gt;",
                   u"http://ca/3");
  h.site[u"http://ca/3"] = canadianPage({{u"Delta", u""}});

  h.controller.capture(parsers::Site::CA);

  EXPECT_EQ(h.names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
  EXPECT_EQ(h.table.Cell(0, 3), "416-555-0002");
  EXPECT_EQ(h.window.countText, "4 lines captured");
  EXPECT_EQ(h.browser.navigations, (std::vector<std::u16string>{u"http://ca/2", u"http://ca/3"}));
  EXPECT_FALSE(h.window.busy);
  EXPECT_FALSE(h.window.stopVisible);
  EXPECT_EQ(h.window.bar.position(), 0);
  EXPECT_FALSE(h.controller.stopFlag());
  EXPECT_EQ(h.table.Caption(0), "Person/Company");
}

TEST(CaptureController, BusyStateWhileTheRunWaits) {
  Harness h;
  h.browser.document = canadianPage({{u"Alpha", u"416-555-0002"}});
  h.browser.readyState = 1;
  h.pump.onPass = [&](int) {
    EXPECT_TRUE(h.window.busy);
    EXPECT_TRUE(h.window.stopVisible);
    EXPECT_EQ(h.window.bar.position(), h.window.bar.max());
    EXPECT_TRUE(h.controller.isRunning());
    h.browser.readyState = Browser::kReadyStateComplete;
  };
  h.controller.capture(parsers::Site::IT);
  EXPECT_EQ(h.pump.passes, 1);
  EXPECT_EQ(h.table.Caption(0), "Persona/Compagnia");
  EXPECT_FALSE(h.controller.isRunning());
}

TEST(CaptureController, CanadianFrenchLinkOnlyWithoutAnEnglishOne) {
  Harness h;
  auto first = canadianPage({{u"A", u"1"}}, u"Next &gt;", u"http://ca/en");
  first->add(testing::anchor(u"x", u"Suivante &gt;", u"http://ca/fr"));
  h.browser.document = first;
  h.site[u"http://ca/en"] = canadianPage({{u"B", u"2"}});
  h.controller.capture(parsers::Site::CA);
  EXPECT_EQ(h.browser.navigations, std::vector<std::u16string>{u"http://ca/en"});
}

TEST(CaptureController, StopDuringAPageEndsTheRunAfterTheNextTurn) {
  Harness h;
  h.browser.document = canadianPage({{u"A", u"1"}}, u"Next &gt;", u"http://ca/2");
  h.site[u"http://ca/2"] = canadianPage({{u"B", u"2"}}, u"Next &gt;", u"http://ca/3");
  h.site[u"http://ca/3"] = canadianPage({{u"C", u"3"}}, u"Next &gt;", u"http://ca/4");
  // Page 2 loads slowly; Stop is pressed while the run waits for it.
  h.browser.onNavigate = [&](std::u16string_view url) {
    h.browser.document = h.site[std::u16string(url)];
    if (url == u"http://ca/2") h.browser.readyState = 1;
  };
  h.pump.onPass = [&](int) {
    h.controller.stop();
    EXPECT_FALSE(h.window.stopVisible);
    EXPECT_TRUE(!h.window.busy);
    h.browser.readyState = Browser::kReadyStateComplete;
  };
  h.controller.capture(parsers::Site::CA);
  // Page 2 is still captured and turned; page 3 is asked for but not captured.
  EXPECT_EQ(h.names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(h.browser.navigations, (std::vector<std::u16string>{u"http://ca/2", u"http://ca/3"}));
  EXPECT_FALSE(h.controller.stopFlag());
  EXPECT_EQ(h.window.countText, "2 lines captured");
  EXPECT_TRUE(!h.window.busy);
}

TEST(CaptureController, StopOnTheLastPageIsConsumedByTheNextClick) {
  Harness h;
  h.browser.document = canadianPage({{u"A", u"1"}});
  h.browser.readyState = 1;
  h.pump.onPass = [&](int) {
    h.controller.stop();
    h.browser.readyState = Browser::kReadyStateComplete;
  };
  h.controller.capture(parsers::Site::CA);
  EXPECT_EQ(h.table.Count(), 1);
  EXPECT_TRUE(h.controller.stopFlag());  // idle with a pending stop
  h.pump.onPass = nullptr;

  h.browser.document = canadianPage({{u"B", u"2"}});
  h.window.countText = "kept";
  h.controller.capture(parsers::Site::AU);  // any site: only consumes the flag
  EXPECT_FALSE(h.controller.stopFlag());
  EXPECT_EQ(h.table.Count(), 1);
  EXPECT_EQ(h.window.countText, "kept");
  EXPECT_EQ(h.table.Caption(0), "Person/Company");

  h.controller.capture(parsers::Site::CA);  // the click after it runs
  EXPECT_EQ(h.table.Count(), 2);
}

TEST(CaptureController, AnErrorStrandsTheRunAndKeepsItsRows) {
  Harness h;
  h.browser.document = canadianPage({{u"A", u"1"}}, u"Next &gt;", u"http://ca/2");
  auto broken = std::make_shared<FakeDocument>();
  broken->html = false;
  h.site[u"http://ca/2"] = broken;
  try {
    h.controller.capture(parsers::Site::CA);
    FAIL() << "the walker's error must reach the caller";
  } catch (const CaptureError& error) {
    EXPECT_STREQ(error.what(), "Invalid HTML document");
  }
  EXPECT_EQ(h.names(), std::vector<std::string>{"A"});
  EXPECT_EQ(h.window.countText, "1 lines captured");
  EXPECT_TRUE(h.window.stopVisible);
  EXPECT_TRUE(h.window.busy);
  EXPECT_FALSE(h.controller.isRunning());

  h.controller.stop();  // idle look, pending stop
  EXPECT_TRUE(!h.window.busy);
  EXPECT_TRUE(h.controller.stopFlag());
  h.controller.capture(parsers::Site::CA);
  EXPECT_FALSE(h.controller.stopFlag());
  EXPECT_EQ(h.table.Count(), 1);
}

TEST(CaptureController, ItalianRowsGetTheEmailOfTheirPage) {
  Harness h;
  auto doc = std::make_shared<FakeDocument>();
  auto& card = doc->add(testing::classed(u"vcard clearfix", u""));
  card.inner = u"<a href=\"/go?url=www.paginegialle.it/roma/mario\">Scheda</a>";
  doc->add(testing::classed(u"org", u"Da Mario"));
  doc->add(testing::classed(u"tel", u"06 1234567"));
  auto& bare = doc->add(testing::classed(u"vcard clearfix", u""));
  bare.inner = u"<span>no link</span>";
  doc->add(testing::classed(u"org", u"Bar Sport"));
  h.browser.document = doc;

  h.controller.capture(parsers::Site::IT);
  ASSERT_EQ(h.names(), (std::vector<std::string>{"Bar Sport", "Da Mario"}));
  EXPECT_EQ(h.lookups, std::vector<std::string>{"http://www.paginegialle.it/roma/mario"});
  EXPECT_EQ(h.table.SubItemCount(h.table.RowAt(0)), 8);  // no web address: nine columns
  EXPECT_EQ(h.table.SubItemCount(h.table.RowAt(1)), 9);
  EXPECT_EQ(h.table.Cell(1, 9), "info@mario.it");
  EXPECT_EQ(h.window.countText, "2 líneas capturadas");
}

TEST(CaptureController, RowDeletedDuringItsLookupIsNotRevived) {
  Harness h;
  auto doc = std::make_shared<FakeDocument>();
  auto& card = doc->add(testing::classed(u"vcard clearfix", u""));
  card.inner = u"<a href=\"/go?url=www.paginegialle.it/roma/mario\">Scheda</a>";
  doc->add(testing::classed(u"org", u"Da Mario"));
  h.browser.document = doc;
  h.searches.answer = [&](const std::string&) {
    h.table.DeleteSelectedRows({0});  // the user deletes the row while its lookup runs
    return std::string("info@mario.it");
  };
  h.controller.capture(parsers::Site::IT);
  EXPECT_EQ(h.table.Count(), 0);
  EXPECT_EQ(h.lookups.size(), 1u);
}

TEST(CaptureController, APageIsDoneOnceItsLookupsHaveReported) {
  Harness h;
  auto doc = std::make_shared<FakeDocument>();
  auto& card = doc->add(testing::classed(u"vcard clearfix", u""));
  card.inner = u"<a href=\"/go?url=www.paginegialle.it/roma/mario\">Scheda</a>";
  doc->add(testing::classed(u"org", u"Da Mario"));
  h.browser.document = doc;
  struct Watch : CaptureObserver {
    Harness& h;
    std::string emailWhenDone = "not done";
    explicit Watch(Harness& harness) : h(harness) {}
    void pageDone(const PageDone&) override { emailWhenDone = h.table.Cell(0, 9); }
  } watch{h};
  h.controller.addObserver(watch);
  h.controller.capture(parsers::Site::IT);
  // The journal writes a page with its e-mails, so a resumed run misses none.
  EXPECT_EQ(watch.emailWhenDone, "info@mario.it");
}

// One Italian listing with a listing page to look up, and a next page that never loads.
void showItalianPageWhoseNextNeverLoads(Harness& h) {
  auto doc = std::make_shared<FakeDocument>();
  auto& card = doc->add(testing::classed(u"vcard clearfix", u""));
  card.inner = u"<a href=\"/go?url=www.paginegialle.it/roma/mario\">Scheda</a>";
  doc->add(testing::classed(u"org", u"Da Mario"));
  doc->add(testing::anchor(u"p", u"pagina successiva", u"http://it/2"));
  h.browser.document = doc;
  h.browser.onNavigate = [&h](std::u16string_view) { h.browser.readyState = 1; };
}

TEST(CaptureController, ARunThatFailsOnTheNextPageStillGivesThePageBeforeItsEmails) {
  Harness h;
  showItalianPageWhoseNextNeverLoads(h);
  h.controller.setPageTimeout(std::chrono::milliseconds(20));
  h.searches.reportOnDrive = false;  // the lookup is still out when page 2 times out
  std::string emailWhenDone = "not done";
  struct Watch : CaptureObserver {
    std::function<void()> onDone;
    void pageDone(const PageDone&) override { onDone(); }
  } watch;
  watch.onDone = [&] { emailWhenDone = h.table.Cell(0, 9); };
  h.controller.addObserver(watch);
  EXPECT_THROW(h.controller.capture(parsers::Site::IT), CaptureError);
  EXPECT_EQ(emailWhenDone, "info@mario.it");
}

TEST(CaptureController, ClosingTheWindowEndsTheLookupsAndTheirRowsKeepAnEmptyEmail) {
  Harness h;
  showItalianPageWhoseNextNeverLoads(h);
  // The user closes the window while page 2 loads and the lookup is still out.
  h.searches.onWait = [&] { h.controller.abortRun(); };
  h.searches.answer = [](const std::string&) -> std::string {
    ADD_FAILURE() << "a cancelled lookup must not be answered";
    return "x";
  };
  h.controller.capture(parsers::Site::IT);
  EXPECT_GE(h.searches.cancels, 1);
  ASSERT_EQ(h.table.Count(), 1);
  EXPECT_EQ(h.table.SubItemCount(h.table.RowAt(0)), 9);
  EXPECT_EQ(h.table.Cell(0, 9), "");
  EXPECT_FALSE(h.controller.isRunning());
}

TEST(CaptureController, LongRunsAndPageLimits) {
  Harness h;
  // An endless search: every page has one listing and a link to the next.
  const auto pageNumber = [](int n) {
    return canadianPage({{u"Listing " + text::utf8ToUtf16(std::to_string(n)), u"416-555-0001"}},
                        u"Next &gt;", u"http://ca/" + text::utf8ToUtf16(std::to_string(n + 1)));
  };
  h.browser.document = pageNumber(1);
  h.browser.onNavigate = [&](std::u16string_view url) {
    h.browser.document = pageNumber(std::stoi(text::utf16ToUtf8(url.substr(10))));
  };
  struct Counter : CaptureObserver {
    int pages = 0;
    int links = 0;
    std::string reason;
    void pageCaptured(int, int, int) override { ++pages; }
    void linkFollowed(int, const PageTurn&) override { ++links; }
    void runEnded(const std::string& why) override { reason = why; }
  } counter;
  h.controller.addObserver(counter);
  h.controller.setMaxPages(2000);
  h.controller.capture(parsers::Site::CA);
  EXPECT_EQ(counter.pages, 2000);
  EXPECT_EQ(counter.links, 1999);
  EXPECT_EQ(counter.reason, "page limit");
  EXPECT_EQ(h.table.Count(), 2000);
  EXPECT_TRUE(!h.window.busy);
}

TEST(CaptureController, PageTimeoutIsAnError) {
  Harness h;
  h.browser.document = canadianPage({{u"A", u"1"}});
  h.browser.readyState = 1;
  h.controller.setPageTimeout(std::chrono::milliseconds(20));
  EXPECT_THROW(h.controller.capture(parsers::Site::CA), CaptureError);
  EXPECT_EQ(h.table.Count(), 0);
}

TEST(CaptureController, AbortEndsTheWaitAndLeavesIdle) {
  Harness h;
  h.browser.document = canadianPage({{u"A", u"1"}});
  h.browser.readyState = 1;
  h.pump.onPass = [&](int) { h.controller.abortRun(); };
  h.controller.capture(parsers::Site::CA);
  EXPECT_EQ(h.pump.passes, 1);
  EXPECT_EQ(h.table.Count(), 0);
  EXPECT_TRUE(!h.window.busy);
  EXPECT_FALSE(h.window.stopVisible);
  EXPECT_FALSE(h.controller.isRunning());
  // A later run is not affected.
  h.pump.onPass = [&](int) { h.browser.readyState = Browser::kReadyStateComplete; };
  h.controller.capture(parsers::Site::CA);
  EXPECT_EQ(h.table.Count(), 1);
}

TEST(CaptureController, CaptureClickAfterStopInsideAWaitRunsNested) {
  Harness h;
  h.browser.document = canadianPage({{u"A", u"1"}});
  h.browser.readyState = 1;
  int pass = 0;
  h.pump.onPass = [&](int) {
    if (++pass > 1) return;
    h.controller.stop();
    h.controller.capture(parsers::Site::CA);  // only consumes the flag
    EXPECT_FALSE(h.controller.stopFlag());
    h.browser.readyState = Browser::kReadyStateComplete;
  };
  h.controller.capture(parsers::Site::CA);
  // The interrupted run no longer sees a stop and captures its page.
  EXPECT_EQ(h.table.Count(), 1);
  EXPECT_EQ(h.window.countText, "1 lines captured");
}

}  // namespace
}  // namespace quillon::capture
