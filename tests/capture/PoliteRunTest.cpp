// Runs over a site that refuses pages, asks for a person or is paced: the controller with a
// fake browser, whose page loads set the HTTP status, and a fake clock, so that waits of
// minutes take no time and their lengths are exact.

#include "capture/CaptureController.h"
#include "capture/FakeWindow.h"
#include "capture/PageAnswer.h"
#include "results/ResultsTable.h"
#include "support/FakeBrowser.h"
#include "support/FakeClock.h"
#include "support/FakeDocument.h"

#include <gtest/gtest.h>
#include <map>

namespace quillon::capture {
namespace {

using namespace std::chrono_literals;
using testing::FakeDocument;

// A Canadian result page with one listing and a link to the next page, if any.
std::shared_ptr<FakeDocument> listingPage(std::u16string name, std::u16string next = {}) {
  auto doc = std::make_shared<FakeDocument>();
  doc->add(testing::classed(u"listingTitle", std::move(name)));
  doc->add(testing::classed(u"phoneNumber", u"416-555-0100"));
  if (!next.empty()) doc->add(testing::anchor(u"n", u"Next &gt;", std::move(next)));
  return doc;
}

// A page without listings: a body with this text and, when given, a widget's frame.
std::shared_ptr<FakeDocument> emptyPage(std::u16string text, std::u16string frame = {}) {
  auto doc = std::make_shared<FakeDocument>();
  testing::FakeElement body;
  body.tag = u"BODY";
  body.text = std::move(text);
  doc->add(body);
  if (!frame.empty()) {
    testing::FakeElement iframe;
    iframe.tag = u"IFRAME";
    iframe.link = std::move(frame);
    doc->add(iframe);
  }
  return doc;
}

// What the site answers to each request of an address: a status and a page, the last one
// again once the list is used up.
struct Answer {
  int status;
  std::shared_ptr<FakeDocument> page;
};

struct Site : CaptureObserver {
  testing::FakeBrowser browser;
  testing::FakeWindow window;
  results::ResultsTable table{results::NameCollator("en_US")};
  testing::ScriptedPump pump;
  DownloadBusyFlag busy;
  testing::FakeClock clock;
  CaptureController controller{{browser, window, table, pump, busy}};
  std::map<std::u16string, std::vector<Answer>> answers;
  std::map<std::u16string, int> served;
  std::vector<std::pair<std::u16string, std::chrono::milliseconds>> requests;  // and when
  std::vector<std::string> refusals;
  std::vector<std::pair<int, std::string>> checks;
  RunEnd end;

  Site() {
    controller.setClock(clock, [] { return 1.0; });
    controller.addObserver(*this);
    browser.location = u"http://ca/1";
    browser.document = listingPage(u"Page One", u"http://ca/2");
    browser.onNavigate = [this](std::u16string_view url) {
      requests.emplace_back(url, clock.elapsed());
      const std::vector<Answer>& list = answers.at(std::u16string(url));
      const Answer& answer =
          list[std::min<std::size_t>(served[std::u16string(url)]++, list.size() - 1)];
      browser.httpStatus = answer.status;
      browser.document = answer.page;
    };
  }
  void pageRefused(int page, int status, std::chrono::milliseconds wait) override {
    refusals.push_back(refusalNotice(page, status, wait));
  }
  void personCheck(int page, const std::string& recognised, std::string_view) override {
    checks.emplace_back(page, recognised);
  }
  void runEnded(const RunEnd& how) override { end = how; }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (int r = 0; r < table.Count(); ++r) out.push_back(table.Cell(r, 0));
    return out;
  }
};

TEST(PoliteRun, ARefusedPageIsReadAfterTheWaitAsIfNothingHappened) {
  Site site;
  site.answers[u"http://ca/2"] = {{429, emptyPage(u"Too many requests")},
                                  {200, listingPage(u"Page Two")}};
  site.controller.capture(parsers::Site::CA);
  EXPECT_EQ(site.names(), (std::vector<std::string>{"Page One", "Page Two"}));
  EXPECT_EQ(site.refusals,
            std::vector<std::string>{"page 2: the site asks to wait 30 s (HTTP 429)"});
  ASSERT_EQ(site.requests.size(), 2u);
  EXPECT_EQ(site.requests[1].second - site.requests[0].second, 30s);
  EXPECT_EQ(site.end.kind, RunEnd::Kind::Finished);
  EXPECT_EQ(site.end.reason, "no next page");
  EXPECT_TRUE(site.end.readToItsEnd());
}

TEST(PoliteRun, TheThirdRefusalEndsTheRunAtThatPageKeepingTheRows) {
  Site site;
  site.controller.setRefusalWait(500s);  // at most 120
  site.answers[u"http://ca/2"] = {{503, emptyPage(u"Service unavailable")}};
  site.controller.capture(parsers::Site::CA);
  EXPECT_EQ(site.names(), std::vector<std::string>{"Page One"});
  EXPECT_EQ(site.served[u"http://ca/2"], 3);
  EXPECT_EQ(site.refusals.size(), 2u);
  EXPECT_EQ(site.refusals[0], "page 2: the site asks to wait 120 s (HTTP 503)");
  EXPECT_EQ(site.end.kind, RunEnd::Kind::Refused);
  EXPECT_EQ(site.end.reason, "the site refused page 2 (HTTP 503)");
  EXPECT_EQ(site.end.page, 2);
  EXPECT_FALSE(site.end.readToItsEnd());
  EXPECT_FALSE(site.window.busy);
}

TEST(PoliteRun, AForbiddenPageIsNotAskedForAgainButAPageWithListingsIsReadWhateverItsStatus) {
  Site site;
  site.answers[u"http://ca/2"] = {{403, emptyPage(u"Forbidden")}};
  site.controller.capture(parsers::Site::CA);
  EXPECT_EQ(site.served[u"http://ca/2"], 1);
  EXPECT_EQ(site.end.reason, "the site refused page 2 (HTTP 403)");

  Site odd;
  odd.answers[u"http://ca/2"] = {{503, listingPage(u"Page Two")}};
  odd.controller.capture(parsers::Site::CA);
  EXPECT_EQ(odd.names(), (std::vector<std::string>{"Page One", "Page Two"}));
  EXPECT_EQ(odd.end.reason, "no next page");
}

TEST(PoliteRun, ACheckForAPersonEndsTheRunWithWhatShowedIt) {
  Site site;
  // Served with 429, it is still a check: no wait would pass it.
  site.answers[u"http://ca/2"] = {{429, emptyPage(u"Verify you are human")}};
  site.controller.capture(parsers::Site::CA);
  EXPECT_EQ(site.served[u"http://ca/2"], 1);
  EXPECT_TRUE(site.refusals.empty());
  EXPECT_EQ(site.end.kind, RunEnd::Kind::PersonCheck);
  EXPECT_EQ(site.end.reason,
            "page 2 asks to prove that a person is there (\"Verify you are human\")");
  EXPECT_FALSE(site.end.readToItsEnd());
  EXPECT_EQ(site.names(), std::vector<std::string>{"Page One"});
}

TEST(PoliteRun, AListingPageWithACaptchaInItsFooterIsReadAsAnyOther) {
  Site site;
  auto decoy = listingPage(u"Page Two");
  testing::FakeElement frame;
  frame.tag = u"IFRAME";
  frame.link = u"https://www.google.com/recaptcha/api2/anchor";
  decoy->add(frame);
  decoy->add(testing::classed(u"footer", u"This site is protected by reCAPTCHA"));
  site.answers[u"http://ca/2"] = {{200, decoy}};
  site.controller.capture(parsers::Site::CA);
  EXPECT_EQ(site.names(), (std::vector<std::string>{"Page One", "Page Two"}));
  EXPECT_EQ(site.end.reason, "no next page");
}

TEST(PoliteRun, ThePausedRunReadsThePageShownAfterContinue) {
  Site site;
  site.controller.setPausesForPersons(true);
  site.answers[u"http://ca/2"] = {
      {403, emptyPage(u"", u"https://challenges.cloudflare.com/turnstile/v0/b")}};
  bool passed = false;
  site.pump.onPass = [&](int) {
    if (passed || !site.controller.waitingForPerson()) return;
    EXPECT_TRUE(site.window.continueVisible);
    EXPECT_TRUE(site.window.stopVisible);
    // The user passes the check; the site sends the page on.
    passed = true;
    site.browser.httpStatus = 200;
    site.browser.document = listingPage(u"Page Two", u"http://ca/3");
    site.controller.continueAfterCheck();
  };
  site.answers[u"http://ca/3"] = {{200, listingPage(u"Page Three")}};
  site.controller.capture(parsers::Site::CA);
  EXPECT_EQ(site.checks, (std::vector<std::pair<int, std::string>>{{2, "a Turnstile widget"}}));
  EXPECT_EQ(site.names(), (std::vector<std::string>{"Page One", "Page Three", "Page Two"}));
  EXPECT_FALSE(site.window.continueVisible);
  EXPECT_FALSE(site.controller.waitingForPerson());
  EXPECT_EQ(site.end.reason, "no next page");
}

TEST(PoliteRun, StopDuringThePauseEndsTheRunAsStopDoes) {
  Site site;
  site.controller.setPausesForPersons(true);
  site.answers[u"http://ca/2"] = {{200, emptyPage(u"Checking your browser before accessing")}};
  site.pump.onPass = [&](int) {
    if (site.controller.waitingForPerson()) site.controller.stop();
  };
  site.controller.continueAfterCheck();  // no run waits: nothing to continue
  site.controller.capture(parsers::Site::CA);
  EXPECT_EQ(site.checks.size(), 1u);
  EXPECT_EQ(site.end.kind, RunEnd::Kind::Stopped);
  EXPECT_EQ(site.end.reason, "Stop");
  EXPECT_FALSE(site.controller.stopFlag());
  EXPECT_FALSE(site.window.continueVisible);
  EXPECT_EQ(site.names(), std::vector<std::string>{"Page One"});
}

TEST(PoliteRun, PagesAreAskedForNoSoonerThanTheDelayAndItsRandomExtra) {
  for (const double draw : {0.0, 1.0}) {
    Site site;
    site.controller.setClock(site.clock, [draw] { return draw; });
    site.controller.setPageDelay(2000ms);
    site.answers[u"http://ca/2"] = {{200, listingPage(u"Page Two", u"http://ca/3")}};
    site.answers[u"http://ca/3"] = {{429, emptyPage(u"Slow down")},
                                    {200, listingPage(u"Three", u"http://ca/4")}};
    site.answers[u"http://ca/4"] = {{200, listingPage(u"Four")}};
    site.controller.capture(parsers::Site::CA);
    ASSERT_EQ(site.requests.size(), 4u) << draw;
    const auto gap = 2000ms + (draw > 0 ? 1000ms : 0ms);
    EXPECT_EQ(site.requests[0].second, gap);  // counted from the run's start
    EXPECT_EQ(site.requests[1].second - site.requests[0].second, gap);
    // A refusal's wait counts from the refusal, and the delay from the request before.
    EXPECT_EQ(site.requests[2].second - site.requests[1].second, 30s);
    EXPECT_EQ(site.requests[3].second - site.requests[2].second, gap);
    EXPECT_EQ(site.names().size(), 4u);
  }
}

}  // namespace
}  // namespace quillon::capture
