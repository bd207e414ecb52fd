// The run record: where a run began, the pages it read, where it goes on, how it ended;
// the saved mark; and the summary that `quillon-cli journal` prints.

#include "JournalTestSupport.h"
#include "journal/JournalSummary.h"

#include <gtest/gtest.h>

namespace quillon::journal {
namespace {

using namespace testing;

class JournalRunTest : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.file("run.qjournal");
  const RunStart start{
      "es", "https://a.test/1", {{"max-pages", "5"}, {"resolve", "a.test:443:127.0.0.1"}}};
};

TEST_F(JournalRunTest, PagesGoUnderTheRunAndAReopenedJournalGoesOnWithIt) {
  const PageRecord page1{1, "https://a.test/1", "sig-1", "https://a.test/2"};
  const PageRecord page2{2, "https://a.test/2", "sig-2", ""};
  {
    Journal journal(path);
    EXPECT_EQ(journal.lastRun(), std::nullopt);
    journal.startRun(start);
    EXPECT_EQ(journal.lastRun()->nextAddress, start.startAddress);
    journal.beginPage();
    journal.commitPage(page1);
    journal.beginPage();
    journal.commitPage(page2);
    EXPECT_EQ(journal.lastRun()->nextAddress, "");  // not known yet
    journal.setNextAddress("javascript:next()");
  }
  Journal journal(path);
  EXPECT_EQ(journal.lastRun(), (RunRecord{start, {page1, page2}, "javascript:next()", false, ""}));
  const PageRecord page3{3, "https://a.test/3", "sig-3", ""};
  journal.commitPage(page3);
  journal.endRun("no next page");
  EXPECT_EQ(journal.lastRun(), (RunRecord{start, {page1, page2, page3}, "", true, "no next page"}));

  const RunStart second{"auto", "https://b.test/", {}};
  journal.startRun(second);
  EXPECT_EQ(journal.lastRun(), (RunRecord{second, {}, second.startAddress, false, ""}));
}

TEST_F(JournalRunTest, TheSavedMarkHoldsUntilTheNextChange) {
  auto table = newTable();
  {
    Journal journal(path);
    journal.attach(*table);
    table->AddRow("a", {});
    EXPECT_FALSE(journal.saved());
    journal.markSaved();
    journal.detach();
  }
  EXPECT_TRUE(summarizeJournal(path).saved);
  {
    Journal journal(path);
    EXPECT_TRUE(journal.saved());
    auto restored = newTable();
    journal.restore(*restored);
    restored->SetCell(0, 1, "x");
    EXPECT_FALSE(journal.saved());
    journal.detach();
  }
  EXPECT_FALSE(summarizeJournal(path).saved);
}

TEST_F(JournalRunTest, TheSummaryTellsSitePagesRowsAndWhetherTheRunEnded) {
  auto table = newTable();
  {
    Journal journal(path);
    journal.attach(*table);
    journal.startRun(start);
    journal.beginPage();
    table->AddRow("a", {});
    table->AddRow("b", {});
    journal.commitPage({1, "https://a.test/1", "", "https://a.test/2"});
    table->DeleteSelectedRows({0});
    journal.detach();
  }
  const JournalSummary summary = summarizeJournal(path);
  EXPECT_EQ(summary.rows, 1);
  EXPECT_EQ(summary.runs, 1);
  EXPECT_EQ(summaryText(summary), "journal: " + path +
                                      "\n"
                                      "rows: 1\n"
                                      "site: es\n"
                                      "start: https://a.test/1\n"
                                      "option: max-pages 5\n"
                                      "option: resolve a.test:443:127.0.0.1\n"
                                      "pages read: 1\n"
                                      "  page 1: https://a.test/1\n"
                                      "run: not ended; next page: https://a.test/2\n");
  Journal(path).endRun("stopped");
  EXPECT_NE(summaryText(summarizeJournal(path)).find("run: ended (stopped)\n"), std::string::npos);
}

TEST_F(JournalRunTest, AnEmptyFileSummarisesAsAnEmptyJournalAndStaysEmpty) {
  writeFile(path, "");
  const JournalSummary summary = summarizeJournal(path);
  EXPECT_EQ(summary.rows, 0);
  EXPECT_EQ(summary.lastRun, std::nullopt);
  EXPECT_EQ(summaryText(summary), "journal: " + path + "\nrows: 0\nrun: none\n");
  EXPECT_EQ(readFile(path), "");
}

}  // namespace
}  // namespace quillon::journal
