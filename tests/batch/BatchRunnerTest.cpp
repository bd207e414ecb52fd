// The batch runner over the capture controller, a fake browser and the Canadian rule set:
// one table across searches, failed searches that do not end the batch, and a stopped batch
// that its journal resumes to the rows of an uninterrupted one.

#include "batch/BatchJournal.h"
#include "batch/BatchRunner.h"
#include "batch/BatchText.h"
#include "batch/Shard.h"
#include "capture/CaptureController.h"
#include "capture/FakeWindow.h"
#include "capture/RunJournal.h"
#include "capture/RunModes.h"
#include "journal/Journal.h"
#include "results/ResultsTable.h"
#include "support/FakeBrowser.h"
#include "support/FakeDocument.h"
#include "support/TemporaryFolder.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace quillon::batch {
namespace {

using journal::SearchState;
using testing::FakeDocument;

// A Canadian result page: one listing per (name, phone), and a next link when given.
std::shared_ptr<FakeDocument> page(std::vector<std::pair<std::u16string, std::u16string>> listings,
                                   std::u16string next = {}) {
  auto doc = std::make_shared<FakeDocument>();
  for (const auto& [name, phone] : listings) {
    doc->add(testing::classed(u"listingTitle", name));
    doc->add(testing::classed(u"phoneNumber", phone));
  }
  if (!next.empty()) doc->add(testing::anchor(u"next page", u"Next &gt;", next));
  return doc;
}

// Search a: two pages. b: its first page does not load. c: shares Bravo with a. d: its page
// has no body, so its run fails. e: one page.
struct Site {
  std::map<std::u16string, std::shared_ptr<FakeDocument>> pages;
  std::set<std::string> unreachable = {"http://ca/b1"};
  std::map<std::u16string, int> statuses;  // 200 when not named
  Site() {
    pages[u"http://ca/a1"] =
        page({{u"Alpha", u"416-555-0001"}, {u"Bravo", u"416-555-0002"}}, u"http://ca/a2");
    pages[u"http://ca/a2"] = page({{u"Charlie", u"416-555-0003"}});
    pages[u"http://ca/c1"] = page({{u"Bravo", u"416-555-0002"}, {u"Delta", u"416-555-0004"}});
    pages[u"http://ca/d1"] = page({{u"Echo", u"416-555-0005"}});
    pages[u"http://ca/d1"]->body = false;
    pages[u"http://ca/e1"] = page({{u"Foxtrot", u"416-555-0006"}});
  }
};

journal::BatchRecord batchOf(std::vector<std::string> addresses) {
  journal::BatchRecord batch;
  batch.start = {"ca", {}, static_cast<int>(addresses.size()), ""};
  batch.searches = searchesOfShard(addresses, std::nullopt);
  return batch;
}

struct Harness : BatchObserver {
  Site site;
  testing::FakeBrowser browser;
  testing::FakeWindow window;
  testing::ScriptedPump pump;
  capture::DownloadBusyFlag busy;
  results::ResultsTable table{results::NameCollator("en_US")};
  capture::CaptureController controller{{browser, window, table, pump, busy}};
  std::vector<std::string> loads;
  std::vector<std::string> events;
  BatchRunner runner{{controller, table,
                      [this](const std::string& address) -> std::optional<std::string> {
                        loads.push_back(address);
                        if (site.unreachable.contains(address)) {
                          return "could not load " + address + ": HTTP status 404";
                        }
                        browser.Navigate(text::utf8ToUtf16(address));
                        return std::nullopt;
                      },
                      [] { return capture::runModeFor("ca"); }}};

  Harness() {
    browser.onNavigate = [this](std::u16string_view url) {
      browser.document = site.pages[std::u16string(url)];
      const auto status = site.statuses.find(std::u16string(url));
      browser.httpStatus = status == site.statuses.end() ? 200 : status->second;
    };
    runner.addObserver(*this);
  }
  void searchStarting(const journal::SearchRecord& search, int listSize) override {
    events.push_back(searchStartText(search, listSize));
  }
  void searchEnded(const journal::SearchRecord& search) override {
    events.push_back(searchEndText(search));
  }
  void batchEnded(const journal::BatchRecord& batch) override {
    events.push_back(summaryText(batch, table.Count()));
  }
  std::vector<std::string> rows() const {
    std::vector<std::string> out;
    for (int r = 0; r < table.Count(); ++r)
      out.push_back(table.Cell(r, 0) + " " + table.Cell(r, 3));
    return out;
  }
};

TEST(BatchRunner, SearchesShareOneTableAndAFailedSearchDoesNotEndTheBatch) {
  Harness h;
  journal::BatchRecord batch =
      batchOf({"http://ca/a1", "http://ca/b1", "http://ca/c1", "http://ca/d1", "http://ca/e1"});
  h.runner.run(batch);

  EXPECT_EQ(h.rows(), (std::vector<std::string>{"Alpha 416-555-0001", "Bravo 416-555-0002",
                                                "Charlie 416-555-0003", "Delta 416-555-0004",
                                                "Foxtrot 416-555-0006"}));
  EXPECT_EQ(h.events, (std::vector<std::string>{
                          "search 1 of 5: http://ca/a1", "search 1: 3 rows, stopped: no next page",
                          "search 2 of 5: http://ca/b1",
                          "search 2: 0 rows, failed: could not load http://ca/b1: HTTP status 404",
                          "search 3 of 5: http://ca/c1", "search 3: 1 row, stopped: no next page",
                          "search 4 of 5: http://ca/d1",
                          "search 4: 0 rows, failed: Can't find <body> element",
                          "search 5 of 5: http://ca/e1", "search 5: 1 row, stopped: no next page",
                          "5 searches: 3 read to their end, 2 failed; 5 rows"}));
  EXPECT_EQ(batch.searches[2].rowsBefore, 3);
  EXPECT_TRUE(anySearchFailed(batch));
  EXPECT_FALSE(h.runner.isRunning());
  EXPECT_FALSE(h.runner.stopped());
  // The failed run left the display busy; the next search's run took it over and ended idle.
  EXPECT_FALSE(h.window.busy);
  // A batch whose searches are all settled has nothing left to run.
  h.events.clear();
  h.runner.run(batch);
  EXPECT_EQ(h.events,
            std::vector<std::string>{"5 searches: 3 read to their end, 2 failed; 5 rows"});
}

// A site that refuses a search's page would refuse the next search too: the batch ends there,
// and that search stays unfinished for a resumed batch.
TEST(BatchRunner, ASearchTheSiteRefusesEndsTheBatchUnfinished) {
  Harness h;
  h.site.pages[u"http://ca/r1"] = page({});
  h.site.statuses[u"http://ca/r1"] = 403;
  journal::BatchRecord batch = batchOf({"http://ca/a1", "http://ca/r1", "http://ca/e1"});
  h.runner.run(batch);

  EXPECT_EQ(h.loads, (std::vector<std::string>{"http://ca/a1", "http://ca/r1"}));
  EXPECT_EQ(h.events.at(3), "search 2: 0 rows, interrupted: the site refused page 1 (HTTP 403)");
  EXPECT_EQ(h.events.back(), "3 searches: 1 read to its end, 0 failed, 2 left to read; 3 rows");
  EXPECT_EQ(batch.searches[1].state, SearchState::Unfinished);
  EXPECT_TRUE(h.runner.cutOffBySite());
  EXPECT_FALSE(h.runner.stopped());
}

// Stop on the first page of search 2 finishes that page and leaves the search unfinished;
// nothing else starts. A new process that opens the journal goes on with search 2 at its
// second page, then search 3.
TEST(BatchRunner, AStoppedBatchResumesFromItsJournalToTheRowsOfAnUninterruptedOne) {
  Harness whole;
  whole.site.pages[u"http://ca/c1"] = page({{u"Bravo", u"416-555-0002"}}, u"http://ca/c2");
  whole.site.pages[u"http://ca/c2"] = page({{u"Delta", u"416-555-0004"}});
  const std::vector<std::string> addresses = {"http://ca/a1", "http://ca/c1", "http://ca/e1"};
  journal::BatchRecord uninterrupted = batchOf(addresses);
  whole.runner.run(uninterrupted);

  quillon::testing::TemporaryFolder folder;
  const std::string path = folder.file("batch.qjournal");
  {
    Harness first;
    first.site.pages = whole.site.pages;
    journal::Journal journal(path);
    journal.attach(first.table);
    journal::BatchRecord batch = batchOf(addresses);
    journal.startBatch(batch.start, batch.searches);
    capture::RunJournal pages(journal, nullptr);
    BatchJournal searches(journal, nullptr);
    first.controller.addObserver(pages);
    first.runner.addObserver(searches);
    struct StopOnPage : capture::CaptureObserver {
      Harness& h;
      explicit StopOnPage(Harness& harness) : h(harness) {}
      void pageStarting(int, std::string_view address) override {
        if (address == "http://ca/c1") h.runner.stop();
      }
    } stopper(first);
    first.controller.addObserver(stopper);
    first.runner.run(batch);
    first.controller.removeObserver(stopper);
    first.controller.removeObserver(pages);
    EXPECT_TRUE(first.runner.stopped());
    EXPECT_EQ(first.events.back(),
              "3 searches: 1 read to its end, 0 failed, 2 left to read; 3 rows");
    EXPECT_EQ(first.loads, (std::vector<std::string>{"http://ca/a1", "http://ca/c1"}));

    const journal::BatchRecord kept = *journal.lastBatch();
    EXPECT_FALSE(kept.ended);
    EXPECT_EQ(kept.searches[0].state, SearchState::ReadToItsEnd);
    EXPECT_EQ(kept.searches[0].pages.size(), 2u);
    EXPECT_EQ(kept.searches[1].state, SearchState::Unfinished);
    ASSERT_EQ(kept.searches[1].pages.size(), 1u);
    EXPECT_EQ(kept.searches[1].pages[0].nextAddress, "http://ca/c2");
    EXPECT_EQ(kept.searches[2].state, SearchState::Waiting);
    journal.detach();
  }

  Harness resumed;
  resumed.site.pages = whole.site.pages;
  journal::Journal journal(path);
  EXPECT_EQ(journal.restore(resumed.table), 3);
  journal::BatchRecord batch = *journal.lastBatch();
  capture::RunJournal pages(journal, nullptr);
  BatchJournal searches(journal, nullptr);
  resumed.controller.addObserver(pages);
  resumed.runner.addObserver(searches);
  resumed.runner.run(batch);
  resumed.controller.removeObserver(pages);

  EXPECT_EQ(resumed.loads, (std::vector<std::string>{"http://ca/c2", "http://ca/e1"}));
  EXPECT_EQ(resumed.rows(), whole.rows());
  EXPECT_EQ(resumed.events.back(), whole.events.back());
  EXPECT_EQ(resumed.events.back(), "3 searches: 3 read to their end, 0 failed; 5 rows");
  EXPECT_EQ(batch.searches[1].rows, 1);  // Delta; its Bravo was search 1's
  const journal::BatchRecord ended = *journal.lastBatch();
  EXPECT_TRUE(ended.ended);
  EXPECT_EQ(ended.searches[1].pages.size(), 2u);  // both pages under the search's one run
  for (std::size_t i = 0; i < batch.searches.size(); ++i) {
    EXPECT_EQ(ended.searches[i].state, batch.searches[i].state);
    EXPECT_EQ(ended.searches[i].rows, batch.searches[i].rows);
  }
  journal.detach();
}

}  // namespace
}  // namespace quillon::batch
