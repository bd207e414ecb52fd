// Runs of the auto mode over pages whose collected data the test writes: rows, the next
// page, the loop guard, summary pages and warnings.

#include "capture/CaptureController.h"
#include "capture/FakeWindow.h"
#include "results/ResultsTable.h"
#include "structured/PageDataFormat.h"
#include "support/FakeBrowser.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>
#include <map>

namespace quillon::capture {
namespace {

using testing::FakeBrowser;
using testing::FakeWindow;
using testing::ScriptedPump;

std::string business(const std::string& name, const std::string& phone) {
  return R"({"@type":"LocalBusiness","name":")" + name + R"(","telephone":")" + phone + R"("})";
}

structured::PageLink nextLink(const std::string& href) { return {"a", "", href, "Next", "", ""}; }

struct Recorder final : CaptureObserver {
  std::vector<std::string> warnings;
  std::vector<PageDone> pages;
  std::string reason;
  void warning(const std::string& text) override { warnings.push_back(text); }
  void pageDone(const PageDone& done) override { pages.push_back(done); }
  void runEnded(const RunEnd& end) override { reason = end.reason; }
};

struct AutoHarness {
  FakeBrowser browser;
  FakeWindow window;
  results::ResultsTable table{results::NameCollator("en_US")};
  ScriptedPump pump;
  DownloadBusyFlag busy;
  std::map<std::string, structured::PageData> site;  // by address
  std::map<std::string, std::string> detailPages;    // fetched over HTTP
  std::vector<std::string> fetched;
  Recorder recorder;
  CaptureController controller{{browser,
                                window,
                                table,
                                pump,
                                busy,
                                {},
                                [this](std::string_view url) -> std::optional<std::string> {
                                  fetched.emplace_back(url);
                                  const auto it = detailPages.find(std::string(url));
                                  if (it == detailPages.end()) return std::nullopt;
                                  return it->second;
                                }}};

  AutoHarness() {
    browser.onNavigate = [this](std::u16string_view url) { show(text::utf16ToUtf8(url)); };
    controller.addObserver(recorder);
  }
  void show(const std::string& address) {
    browser.location = text::utf8ToUtf16(address);
    structured::PageData page = site[address.substr(0, address.find('#'))];
    page.url = address;
    browser.pageDataJson = structured::encodePageData(page);
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (int r = 0; r < table.Count(); ++r) out.push_back(table.Cell(r, 0));
    return out;
  }
};

TEST(AutoMode, ReadsEveryPageAndStopsWhereTheNextLinkLeadsBack) {
  AutoHarness h;
  h.site["http://d.test/1"] = {"",
                               {"[" + business("Bravo", "1") + "," + business("Alpha", "2") + "]"},
                               {},
                               {nextLink("http://d.test/2#results")},
                               {}};
  h.site["http://d.test/2"] = {
      "", {business("Charlie", "3") + ";"}, {}, {nextLink("http://d.test/1")}, {}};
  h.show("http://d.test/1");
  h.controller.captureAnySite();

  EXPECT_EQ(h.names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
  EXPECT_EQ(h.table.Cell(0, 3), "2");
  EXPECT_EQ(h.table.Caption(0), "Person/Company");
  EXPECT_EQ(h.window.countText, "3 lines captured");
  EXPECT_EQ(h.browser.navigations, std::vector<std::u16string>{u"http://d.test/2#results"});
  EXPECT_EQ(h.recorder.reason, "next page already read");
  ASSERT_EQ(h.recorder.pages.size(), 2u);
  EXPECT_EQ(h.recorder.pages[0].nextAddress, "http://d.test/2#results");
  EXPECT_EQ(h.recorder.pages[1].nextAddress, "");
  EXPECT_FALSE(h.recorder.pages[0].signature.empty());
  EXPECT_FALSE(h.window.busy);
}

TEST(AutoMode, APageWithTheListingsOfAnEarlierOneEndsTheRun) {
  AutoHarness h;
  // A search whose every page address is new but whose listings come round again.
  const std::string listings = "[" + business("Alpha", "1") + "," + business("Bravo", "2") + "]";
  h.site["http://d.test/a"] = {"", {listings}, {}, {nextLink("http://d.test/b")}, {}};
  h.site["http://d.test/b"] = {"",
                               {"[" + business("Bravo", "2") + "," + business("Alpha", "1") + "]"},
                               {},
                               {nextLink("http://d.test/c")},
                               {}};
  h.show("http://d.test/a");
  h.controller.captureAnySite();
  EXPECT_EQ(h.recorder.reason, "page 2 repeats page 1");
  EXPECT_EQ(h.table.Count(), 2);
  EXPECT_EQ(h.recorder.pages.size(), 1u);
}

TEST(AutoMode, ASummaryPageIsReadThroughItsDetailPagesInListOrder) {
  AutoHarness h;
  h.site["http://d.test/list"] = {"",
                                  {R"({"@type":"ItemList","itemListElement":[
          {"@type":"ListItem","url":"http://d.test/z"},
          {"@type":"ListItem","url":"http://d.test/missing"},
          {"@type":"ListItem","url":"http://d.test/y"}]})"},
                                  {},
                                  {},
                                  {}};
  const auto detail = [](const std::string& name, const std::string& phone) {
    return R"(<html><head><script type="application/ld+json">)" + business(name, phone) +
           "</script></head><body></body></html>";
  };
  h.detailPages["http://d.test/z"] = detail("Zulu", "26");
  h.detailPages["http://d.test/y"] = detail("Yankee", "25");
  h.show("http://d.test/list");
  h.controller.captureAnySite();
  EXPECT_EQ(h.fetched, (std::vector<std::string>{"http://d.test/z", "http://d.test/missing",
                                                 "http://d.test/y"}));
  EXPECT_EQ(h.names(), (std::vector<std::string>{"Yankee", "Zulu"}));
  EXPECT_EQ(h.table.Cell(1, 8), "");  // its detail page is the directory's, not its website
  EXPECT_EQ(h.recorder.reason, "no next page");
}

TEST(AutoMode, ABrokenBlockIsNamedOnceAndTheOtherBlocksStillCount) {
  AutoHarness h;
  h.site["http://d.test/1"] = {
      "", {"{broken", business("Alpha", "1")}, {}, {nextLink("http://d.test/2")}, {}};
  h.site["http://d.test/2"] = {"", {"{broken", business("Bravo", "2")}, {}, {}, {}};
  h.show("http://d.test/1");
  h.controller.captureAnySite();
  EXPECT_EQ(h.table.Count(), 2);
  ASSERT_EQ(h.recorder.warnings.size(), 2u);  // one for each page's block
  EXPECT_NE(h.recorder.warnings[0].find("http://d.test/1"), std::string::npos);
}

TEST(AutoMode, APageWithoutListingsOrCardsEndsTheRunKeepingEarlierRows) {
  AutoHarness h;
  h.site["http://d.test/1"] = {"", {business("Alpha", "1")}, {}, {nextLink("http://d.test/2")}, {}};
  h.site["http://d.test/2"] = {"", {}, {}, {nextLink("http://d.test/3")}, {}};  // a block page
  h.show("http://d.test/1");
  h.controller.captureAnySite();
  EXPECT_EQ(h.recorder.reason, "page 2 has no listings");
  EXPECT_EQ(h.names(), std::vector<std::string>{"Alpha"});
  EXPECT_EQ(h.browser.navigations, std::vector<std::u16string>{u"http://d.test/2"});
}

TEST(AutoMode, PageDataThatIsNotTheCollectorsIsAClearError) {
  AutoHarness h;
  h.browser.pageDataJson = "<html>";
  try {
    h.controller.captureAnySite();
    FAIL() << "expected an error";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("The page's data could not be read"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace quillon::capture
