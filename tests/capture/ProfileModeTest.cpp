// Runs with a site profile over pages that the test simulates behind the fake browser: the
// listings a page shows, those behind its "load more" button, telephone numbers that show
// some reads after their buttons are clicked, the next link.

#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/FakeWindow.h"
#include "capture/ProfileMode.h"
#include "profiles/ProfileFile.h"
#include "results/ResultsTable.h"
#include "structured/PageDataFormat.h"
#include "support/FakeBrowser.h"
#include "support/FakeEmailSearches.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>

namespace quillon::capture {
namespace {

using Json = nlohmann::json;
using testing::FakeBrowser;
using testing::FakeWindow;
using testing::ScriptedPump;

struct SimPage {
  std::vector<std::string> names;
  std::vector<std::string> more;  // shown one per "load more" click
  bool moreForever = false;       // the button stays and adds nothing
  bool phonesHidden = false;      // until the reveal buttons are clicked
  std::string next;               // address of the next link, "" for none
  std::string web;                // every listing's web address
};

struct Recorder final : CaptureObserver {
  std::vector<std::string> warnings;
  std::string reason;
  std::string failure;
  void warning(const std::string& text) override { warnings.push_back(text); }
  void runEnded(const RunEnd& end) override { reason = end.reason; }
  void runFailed(const std::string& message) override { failure = message; }
};

const char* const kProfile = R"({
  "name": "Sim", "listing": "li.hit",
  "fields": {"name": {"selector": "b"}, "phone": {"selector": "a.tel"}, "web": {"selector": "a.w", "attribute": "href"}},
  "next": "a.next", "reveal": "button.show", "loadMore": "button.more"})";

// A number for each name: "0555 165" for "Alpha" (its first letter's code).
std::string phoneOf(const std::string& name) {
  return "0555 1" + std::to_string(static_cast<int>(name.front()));
}

struct Harness {
  FakeBrowser browser;
  FakeWindow window;
  results::ResultsTable table{results::NameCollator("en_US")};
  ScriptedPump pump;
  DownloadBusyFlag busy;
  testing::FakeEmailSearches searches;
  CaptureController controller{
      {browser, window, table, pump, busy, [this] { return searches.handOut(); }}};
  Recorder recorder;
  std::map<std::string, SimPage> site;
  // The state of the page shown.
  SimPage shown;
  std::size_t loaded = 0;
  int revealReads = -1;  // reads since the reveal click; -1 before it

  Harness() {
    browser.onNavigate = [this](std::u16string_view url) { show(text::utf16ToUtf8(url)); };
    browser.onProfileData = [this](std::string_view request) { return answer(request); };
    browser.onClick = [this](const FakeBrowser::Click& click) { return clicked(click); };
    searches.answer = [](const std::string& url) { return "info@" + url.substr(7); };
    controller.addObserver(recorder);
  }

  void show(const std::string& address) {
    browser.location = text::utf8ToUtf16(address);
    shown = site[address];
    loaded = 0;
    revealReads = -1;
  }

  std::string answer(std::string_view request) {
    EXPECT_EQ(Json::parse(request)["listing"], "li.hit");
    if (revealReads >= 0) ++revealReads;
    const bool phones = !shown.phonesHidden || revealReads >= 2;
    Json listings = Json::array();
    std::vector<std::string> names = shown.names;
    names.insert(names.end(), shown.more.begin(),
                 shown.more.begin() + static_cast<std::ptrdiff_t>(loaded));
    for (std::size_t i = 0; i < names.size(); ++i) {
      Json row = Json::array();
      for (std::size_t c = 0; c < 10; ++c) row.push_back(nullptr);
      row[0] = names[i];
      if (phones) row[3] = phoneOf(names[i]);
      if (!shown.web.empty()) row[8] = shown.web;
      listings.push_back(row);
    }
    Json next = nullptr;
    if (!shown.next.empty()) next = {{"href", shown.next}, {"text", "More"}};
    const structured::PageData page{text::utf16ToUtf8(browser.location), {}, {}, {}, {}};
    return Json{{"page", structured::encodePageData(page)}, {"listings", listings}, {"next", next}}
        .dump();
  }

  int clicked(const FakeBrowser::Click& click) {
    if (click.selector == "button.more") {
      if (shown.moreForever) return 1;
      if (loaded >= shown.more.size()) return 0;
      ++loaded;
      return 1;
    }
    if (click.selector == "button.show" && shown.phonesHidden && revealReads < 0) {
      revealReads = 0;
      return static_cast<int>(shown.names.size() + loaded);
    }
    return 0;
  }

  void run(const std::string& start, const char* profile = kProfile) {
    show(start);
    ProfileMode mode(profiles::parseProfile(profile, "sim.json"),
                     {std::chrono::milliseconds(300), std::chrono::milliseconds(1), 3});
    controller.capture(mode);
  }

  std::vector<std::string> column(int index) const {
    std::vector<std::string> out;
    for (int r = 0; r < table.Count(); ++r) out.push_back(table.Cell(r, index));
    return out;
  }
};

using Names = std::vector<std::string>;

TEST(ProfileMode, LoadsMoreRevealsAndFollowsTheNextLink) {
  Harness h;
  h.site["http://s.test/1"] = {
      {"Alpha", "Bravo"}, {"Charlie", "Delta"}, false, true, "http://s.test/2", ""};
  h.site["http://s.test/2"] = {{"Echo"}, {}, false, true, "", ""};
  h.run("http://s.test/1");
  EXPECT_EQ(h.recorder.reason, "no next page");
  EXPECT_EQ(h.column(0), (Names{"Alpha", "Bravo", "Charlie", "Delta", "Echo"}));
  // The numbers showed a few reads after the click, and the run waited for them.
  EXPECT_EQ(h.column(3), (Names{"0555 165", "0555 166", "0555 167", "0555 168", "0555 169"}));
  // "Load more" once per batch, then once more to find the button gone; on page 2 once.
  int more = 0;
  for (const auto& click : h.browser.clicks) {
    if (click.selector == "button.more") {
      EXPECT_FALSE(click.all);
      EXPECT_EQ(click.within, "");
      ++more;
    } else {
      EXPECT_EQ(click.selector, "button.show");
      EXPECT_EQ(click.within, "li.hit");
      EXPECT_TRUE(click.all);
    }
  }
  EXPECT_EQ(more, 4);
  EXPECT_EQ(h.window.countText, "5 lines captured");
}

TEST(ProfileMode, LoadMoreStopsWhenTheCountStopsGrowingOrAtItsBound) {
  Harness stuck;
  stuck.site["http://s.test/1"] = {{"Alpha"}, {}, true, false, "", ""};
  stuck.run("http://s.test/1");
  EXPECT_EQ(stuck.browser.clicks.front().selector, "button.more");
  EXPECT_EQ(stuck.browser.clicks.at(1).selector, "button.show");  // no second "load more"
  EXPECT_EQ(stuck.browser.clicks.size(), 2u);
  EXPECT_EQ(stuck.column(0), Names{"Alpha"});

  Harness endless;
  endless.site["http://s.test/1"] = {{"A"}, {"B", "C", "D", "E", "F"}, false, false, "", ""};
  endless.run("http://s.test/1");
  EXPECT_EQ(endless.column(0), (Names{"A", "B", "C", "D"}));
  EXPECT_EQ(endless.recorder.warnings,
            Names{"page 1: \"load more\" clicked 3 times; the rest is left"});
}

TEST(ProfileMode, APageWithoutListingsEndsTheRunAndKeepsTheRows) {
  Harness h;
  h.site["http://s.test/1"] = {{"Alpha"}, {}, false, false, "http://s.test/2", ""};
  h.site["http://s.test/2"] = {{}, {}, false, false, "http://s.test/3", ""};
  h.run("http://s.test/1");
  EXPECT_EQ(h.recorder.reason, "page 2 has no listings for profile Sim");
  EXPECT_EQ(h.column(0), Names{"Alpha"});
  EXPECT_EQ(h.browser.navigations.size(), 1u);
}

TEST(ProfileMode, ANextLinkBackToAReadPageEndsTheRun) {
  Harness h;
  h.site["http://s.test/1"] = {{"Alpha"}, {}, false, false, "http://s.test/2", ""};
  h.site["http://s.test/2"] = {{"Bravo"}, {}, false, false, "http://s.test/1", ""};
  h.run("http://s.test/1");
  EXPECT_EQ(h.recorder.reason, "next page already read");
  EXPECT_EQ(h.column(0), (Names{"Alpha", "Bravo"}));
}

TEST(ProfileMode, LooksUpEmailsOnTheWebPagesWhenTheProfileSaysSo) {
  Harness h;
  h.site["http://s.test/1"] = {{"Alpha"}, {}, false, false, "", "http://alpha.example"};
  const std::string lookup = std::string(kProfile).insert(
      std::string(kProfile).size() - 1, R"(, "emailLookup": true, "captions": "es")");
  h.run("http://s.test/1", lookup.c_str());
  EXPECT_EQ(h.searches.lookups, Names{"http://alpha.example"});
  EXPECT_EQ(h.column(9), Names{"info@alpha.example"});
  EXPECT_EQ(h.table.Caption(0), "Persona/Empresa");

  Harness without;
  without.site["http://s.test/1"] = {{"Alpha"}, {}, false, false, "", "http://alpha.example"};
  without.run("http://s.test/1");
  EXPECT_TRUE(without.searches.lookups.empty());
  EXPECT_EQ(without.column(9), Names{""});
}

TEST(ProfileMode, ASelectorThePageRefusesFailsTheRunNamingIt) {
  Harness h;
  h.site["http://s.test/1"] = {{"Alpha"}, {}, false, false, "", ""};
  h.browser.onProfileData = [](std::string_view) {
    return std::string(R"({"error": {"key": "fields.phone", "message": "not a valid selector"}})");
  };
  EXPECT_THROW(h.run("http://s.test/1"), CaptureError);
  EXPECT_EQ(
      h.recorder.failure,
      "profile Sim, key \"fields.phone\": the page refuses the selector: not a valid selector");
}

}  // namespace
}  // namespace quillon::capture
