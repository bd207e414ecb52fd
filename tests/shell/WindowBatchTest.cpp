// "Capture a list of searches…" in the window, over a recording browser and scripted dialogs:
// the searches run into one table with "search N of M" beside the count, Stop ends the
// batch, and a batch that a crashed session left goes on after the recovery question.

#include "WindowFixture.h"
#include "capture/CaptureController.h"
#include "journal/Journal.h"
#include "journal/JournalFolder.h"
#include "shell/StatusBar.h"
#include "support/FakeDocument.h"
#include "support/TemporaryFolder.h"
#include "text/Utf8.h"

#include <map>

namespace quillon::shell {
namespace {

using quillon::testing::FakeDocument;

// A Canadian result page: one listing per (name, phone), and a next link when given.
std::shared_ptr<FakeDocument> page(std::vector<std::pair<std::u16string, std::u16string>> listings,
                                   std::u16string next = {}) {
  auto doc = std::make_shared<FakeDocument>();
  for (const auto& [name, phone] : listings) {
    doc->add(quillon::testing::classed(u"listingTitle", name));
    doc->add(quillon::testing::classed(u"phoneNumber", phone));
  }
  if (!next.empty()) doc->add(quillon::testing::anchor(u"next page", u"Next &gt;", next));
  return doc;
}

// Search a reads two pages; b has no first page; c shares Bravo with a.
class WindowBatch : public testing::WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    pages[u"http://ca/a1"] =
        page({{u"Alpha", u"416-555-0001"}, {u"Bravo", u"416-555-0002"}}, u"http://ca/a2");
    pages[u"http://ca/a2"] = page({{u"Charlie", u"416-555-0003"}});
    pages[u"http://ca/c1"] = page({{u"Bravo", u"416-555-0002"}, {u"Delta", u"416-555-0004"}});
    browser.onNavigate = [this](std::u16string_view url) {
      const auto found = pages.find(std::u16string(url));
      browser.document = found != pages.end() ? found->second : std::make_shared<FakeDocument>();
      // The home page of a window being made is none of the batch's.
      if (!window || !url.starts_with(u"http://ca/")) return;
      shown.push_back(text::utf16ToUtf8(url) + " " +
                      window->statusPanels().panelText(StatusBar::kBatchPanel).toStdString());
      if (onPage) onPage(url);
    };
    pane->unreachable = {u"http://ca/b1"};
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (int row = 0; row < window->table().Count(); ++row)
      out.push_back(window->table().Cell(row, 0));
    return out;
  }
  QString panel(int index) const { return window->statusPanels().panelText(index); }

  const batch::BatchChoice choice{"ca", "", {"http://ca/a1", "http://ca/b1", "http://ca/c1"}};
  std::map<std::u16string, std::shared_ptr<FakeDocument>> pages;
  std::vector<std::string> shown;  // each address loaded, with the batch panel's text then
  std::function<void(std::u16string_view)> onPage;
};

TEST_F(WindowBatch, TheListsSearchesRunIntoOneTableWithTheirCountBesideTheRows) {
  dialogs.batchAnswers = {choice};
  window->batchButton().click();

  EXPECT_EQ(dialogs.batchRequests.size(), 1u);
  EXPECT_EQ(shown,
            (std::vector<std::string>{"http://ca/a1 search 1 of 3", "http://ca/a2 search 1 of 3",
                                      "http://ca/b1 search 2 of 3", "http://ca/c1 search 3 of 3"}));
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
  EXPECT_EQ(panel(StatusBar::kCountPanel), QStringLiteral("4 lines captured"));
  EXPECT_EQ(panel(StatusBar::kBatchPanel), QString());
  EXPECT_EQ(panel(StatusBar::kHintPanel),
            QStringLiteral("3 searches: 2 read to their end, 1 failed; 4 rows"));
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].text,
            QStringLiteral("3 searches: 2 read to their end, 1 failed; 4 rows\n\n"
                           "search 2 of 3: http://ca/b1\n"
                           "    could not load http://ca/b1: HTTP status 404"));
  EXPECT_TRUE(button("btnStop").isHidden());
  EXPECT_TRUE(window->batchButton().isEnabled());
  EXPECT_TRUE(button("btncanada").isEnabled());

  // Cancel runs nothing.
  shown.clear();
  window->batchButton().click();
  EXPECT_TRUE(shown.empty());
}

// The next search would meet the same refusal: the batch ends there and says why.
TEST_F(WindowBatch, ASiteThatRefusesASearchEndsTheBatchAndSaysWhy) {
  pages[u"http://ca/r1"] = page({});
  const auto showPage = browser.onNavigate;
  browser.onNavigate = [this, showPage](std::u16string_view url) {
    showPage(url);
    browser.httpStatus = url == u"http://ca/r1" ? 403 : 200;
  };
  dialogs.batchAnswers = {{"ca", "", {"http://ca/a1", "http://ca/r1", "http://ca/c1"}}};
  window->batchButton().click();

  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
  EXPECT_EQ(panel(StatusBar::kHintPanel),
            QStringLiteral("3 searches: 1 read to its end, 0 failed, 2 left to read; 3 rows "
                           "(search 2: the site refused page 1 (HTTP 403))"));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowBatch, StopEndsTheBatchAndACrashAfterItOffersOnlyTheRows) {
  quillon::testing::TemporaryFolder folder;
  window->useJournal(folder.path().string());
  // Stop while search a turns to its second page: the first page is read, the search is left
  // unfinished, and nothing else starts.
  onPage = [this](std::u16string_view url) {
    if (url == u"http://ca/a2") {
      EXPECT_FALSE(button("btnStop").isHidden());  // in the list button's place
      EXPECT_TRUE(window->batchButton().isHidden());
      EXPECT_FALSE(window->batchButton().isEnabled());
      button("btnStop").click();
    }
  };
  dialogs.batchAnswers = {choice};
  window->batchButton().click();
  EXPECT_EQ(shown.back(), "http://ca/a2 search 1 of 3");
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Bravo"}));
  EXPECT_EQ(panel(StatusBar::kHintPanel),
            QStringLiteral("3 searches: 0 read to their end, 0 failed, 3 left to read; 2 rows"));
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_FALSE(window->captureController().stopFlag());
  EXPECT_TRUE(button("btnStop").isHidden());
  EXPECT_FALSE(window->batchButton().isHidden());

  dialogs.yesNoAnswers = {true};
  window.reset();  // gone without closing, as in a crash
  shown.clear();
  SetUp();
  window->useJournal(folder.path().string());
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text,
            QStringLiteral("Restore the 2 rows captured in the last session?"));
  QCoreApplication::processEvents();  // where a batch to go on with would start
  EXPECT_TRUE(shown.empty());
}

// What a session that crashed in the middle of search 2 leaves: search 1 read to its end,
// search 2 started; the window brings the rows back and goes on with search 2.
TEST_F(WindowBatch, ACrashedSessionsBatchGoesOnAfterTheRecoveryQuestion) {
  quillon::testing::TemporaryFolder folder;
  {
    results::ResultsTable table;
    std::unique_ptr<journal::Journal> crashed =
        journal::JournalFolder(folder.path()).createJournal();
    crashed->attach(table);
    journal::BatchRecord batch;
    batch.start = {"ca", {}, 3, ""};
    for (int position = 1; position <= 3; ++position) {
      batch.searches.push_back({});
      batch.searches.back().position = position;
      batch.searches.back().address = choice.addresses[static_cast<std::size_t>(position - 1)];
    }
    crashed->startBatch(batch.start, batch.searches);
    crashed->startSearch(1, 0);
    crashed->beginPage();
    table.AddRow("Alpha", {"", "", "416-555-0001"});
    table.AddRow("Bravo", {"", "", "416-555-0002"});
    table.AddRow("Charlie", {"", "", "416-555-0003"});
    crashed->commitPage({1, "http://ca/a1", "", ""});
    batch.searches[0].state = journal::SearchState::ReadToItsEnd;
    batch.searches[0].reason = "no next page";
    batch.searches[0].rows = 3;
    crashed->endSearch(batch.searches[0]);
    crashed->startSearch(2, 3);
    crashed->detach();
  }
  pane->unreachable.clear();
  pages[u"http://ca/b1"] = page({{u"Echo", u"416-555-0005"}});
  dialogs.yesNoAnswers = {true};
  window->useJournal(folder.path().string());
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text,
            QStringLiteral("Restore the 3 rows captured in the last session and go on with its "
                           "list of searches at search 2 of 3?"));
  ASSERT_TRUE(
      settle([&] { return shown.size() == 2 && !window->captureController().isRunning(); }));
  EXPECT_EQ(shown,
            (std::vector<std::string>{"http://ca/b1 search 2 of 3", "http://ca/c1 search 3 of 3"}));
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta", "Echo"}));
  EXPECT_EQ(panel(StatusBar::kHintPanel),
            QStringLiteral("3 searches: 3 read to their end, 0 failed; 5 rows"));

  // Read to its end, the batch is offered no more: only its rows are, after another crash.
  dialogs.yesNoAnswers = {true};
  window.reset();
  SetUp();
  window->useJournal(folder.path().string());
  ASSERT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(dialogs.questions[1].text,
            QStringLiteral("Restore the 5 rows captured in the last session?"));
}

}  // namespace
}  // namespace quillon::shell
